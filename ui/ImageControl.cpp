#include "ImageControl.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QtEndian>
#include <qdrawutil.h>

namespace mivesk {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ImageControl::setPicture(const QPixmap& picture) {
    m_pendingPicture.clear();
    m_picture = picture;
    update();
}

void ImageControl::setResourcePicture(const QString& name) {
    m_pendingPicture = name;
    m_picture = QPixmap();
    update();
}

const QPixmap& ImageControl::picture() const {
    if (!m_pendingPicture.isEmpty()) {
        m_picture = resourcePicture(m_pendingPicture);
        m_pendingPicture.clear();
    }
    return m_picture;
}

void ImageControl::setSunkenBorder(bool on) {
    m_sunkenBorder = on;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int inset = m_sunkenBorder ? BorderWidth : 0;
    if (const QPixmap& shown = picture(); !shown.isNull())
        painter.drawPixmap(QPoint(inset, inset), shown);
    if (m_sunkenBorder) {
        qDrawWinPanel(&painter, rect(), palette(), true);
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pressed = false;
    event->accept();
}

void setClassicEdgeColours(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    palette.setColor(QPalette::Light, QColor(255, 255, 255));
    palette.setColor(QPalette::Midlight, QColor(212, 208, 200));
    widget->setPalette(palette);
}

namespace {

// The pictures of the first screen are also built into the program as the
// pixels they decode to (see ui/packing): a copy instead of a PNG decode at
// start-up. A null pixmap when `file` is not such a picture.
QPixmap packedPicture(const QString& file) {
    const QResource packed(QStringLiteral(":/packed/%1.pixels").arg(file));
    if (!packed.isValid() || packed.compressionAlgorithm() != QResource::NoCompression ||
        packed.size() < 16) {
        return {};
    }
    const uchar* data = packed.data();
    const qint32 width = qFromLittleEndian<qint32>(data);
    const qint32 height = qFromLittleEndian<qint32>(data + 4);
    const auto format = QImage::Format(qFromLittleEndian<qint32>(data + 8));
    const qint32 bytesPerLine = qFromLittleEndian<qint32>(data + 12);
    if ((format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_RGB32) ||
        width <= 0 || height <= 0 || bytesPerLine < width * 4 ||
        packed.size() < 16 + qint64(bytesPerLine) * height) {
        return {};
    }
    return QPixmap::fromImage(QImage(data + 16, width, height, bytesPerLine, format));
}

} // namespace

QPixmap resourcePicture(const QString& name) {
    // QPixmap::load does not look for "@2x" twins by itself, so on a screen
    // of 150 % or more take the twin drawn at twice the size: it stays sharp
    // where the plain picture would be blown up. Qt's pixmap cache keeps one
    // copy of each for the whole run.
    const bool highDensity = qApp && qApp->devicePixelRatio() > 1.25;
    const QString file = name + (highDensity ? QStringLiteral("@2x") : QString());
    const QString path = QStringLiteral(":/pictures/%1.png").arg(file);
    QPixmap picture;
    if (!QPixmapCache::find(path, &picture)) {
        picture = packedPicture(file);
        if (picture.isNull()) {
            // Every picture is a PNG. Left to guess, the reader would load
            // each image format plugin and ask whether it can read the file
            // before it settles on Qt's own PNG reader.
            QImageReader reader(path, "png");
            reader.setAutoDetectImageFormat(false);
            picture = QPixmap::fromImageReader(&reader);
        }
        if (highDensity)
            picture.setDevicePixelRatio(2.0);
        QPixmapCache::insert(path, picture);
    }
    return picture;
}

} // namespace mivesk

#include "ImageControl.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
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

void ImageControl::setRaised(bool raised) {
    if (raised == m_raised)
        return;
    m_raised = raised;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ImageControl::setVisible(bool visible) {
    const bool appearing = visible && isHidden();
    QWidget::setVisible(visible);
    if (appearing && m_accessibleKind == AccessibleKind::Mark && isVisible()) {
        QAccessibleEvent event(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}

void setClassicEdgeColours(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    palette.setColor(QPalette::Light, QColor(255, 255, 255));
    palette.setColor(QPalette::Midlight, QColor(212, 208, 200));
    widget->setPalette(palette);
}

QPixmap resourcePicture(const QString& name) {
    // QPixmap::load does not look for "@2x" twins by itself, so on a screen
    // of 150 % or more take the twin drawn at twice the size: it stays sharp
    // where the plain picture would be blown up. Qt's pixmap cache keeps one
    // copy of each for the whole run.
    const bool highDensity = qApp && qApp->devicePixelRatio() > 1.25;
    const QString path = QStringLiteral(":/pictures/%1%2.png")
                             .arg(name, highDensity ? QStringLiteral("@2x") : QString());
    QPixmap picture;
    if (!QPixmapCache::find(path, &picture)) {
        // Every picture is a PNG. Left to guess, the reader would load each
        // image format plugin and ask whether it can read the file before
        // it settles on Qt's own PNG reader.
        QImageReader reader(path, "png");
        reader.setAutoDetectImageFormat(false);
        picture = QPixmap::fromImageReader(&reader);
        if (highDensity)
            picture.setDevicePixelRatio(2.0);
        QPixmapCache::insert(path, picture);
    }
    return picture;
}

} // namespace mivesk

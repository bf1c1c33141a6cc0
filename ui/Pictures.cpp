#include "Pictures.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>
#include <QtEndian>

namespace mivesk {

namespace {

QPixmap readPng(const QString& path) {
    // Every picture is a PNG. Left to guess, the reader would load each
    // image format plugin and ask whether it can read the file before it
    // settles on Qt's own PNG reader.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

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
    // QPixmap::load does not look for "@2x" twins by itself. Above 100 % the
    // twin drawn at twice the size stays sharp where the plain picture would
    // be blown up; between 100 % and 200 % it is scaled down once, smoothly,
    // to the screen's own pixels, so that painting needs no further scaling.
    // Qt's pixmap cache keeps one copy of each for the whole run.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    const bool twin = ratio > 1.0;
    const QString file = name + (twin ? QStringLiteral("@2x") : QString());
    const QString path = QStringLiteral(":/pictures/%1.png").arg(file);
    const QString key = twin ? path + QLatin1Char('@') + QString::number(ratio) : path;
    QPixmap picture;
    if (QPixmapCache::find(key, &picture)) {
        return picture;
    }
    picture = packedPicture(file);
    if (picture.isNull()) {
        picture = readPng(path);
    }
    if (twin && !picture.isNull()) {
        if (ratio != 2.0) {
            const QSize size(qRound(picture.width() / 2.0 * ratio),
                             qRound(picture.height() / 2.0 * ratio));
            picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        picture.setDevicePixelRatio(ratio);
    }
    QPixmapCache::insert(key, picture);
    return picture;
}

QIcon applicationIcon(int largest) {
    // Read as every other picture is: QIcon::addFile would ask each image
    // format plugin in turn whether it can read the file, and loading them
    // all took longer at start-up than drawing the whole window.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        if (size <= largest) {
            icon.addPixmap(readPng(QStringLiteral(":/pictures/icons/app_icon_%1.png").arg(size)));
        }
    }
    return icon;
}

} // namespace mivesk

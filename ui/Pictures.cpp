#include "Pictures.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

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
    picture = readPng(path);
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

QIcon applicationIcon() {
    // Read as every other picture is: QIcon::addFile would load every image
    // format plugin to ask whether it can read the file.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(readPng(QStringLiteral(":/pictures/icons/app_icon_%1.png").arg(size)));
    }
    return icon;
}

} // namespace mivesk

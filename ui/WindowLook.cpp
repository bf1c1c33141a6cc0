#include "WindowLook.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QScreen>
#include <QWidget>
#include <qdrawutil.h>

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

QPalette classicEdgePalette(QPalette palette) {
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    palette.setColor(QPalette::Light, QColor(255, 255, 255));
    palette.setColor(QPalette::Midlight, QColor(212, 208, 200));
    return palette;
}

// Gives its window the whole icon set once the window's first paint is
// done, then goes.
class WholeIconAfterFirstPaint final : public QObject {
public:
    explicit WholeIconAfterFirstPaint(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_window->setWindowIcon(applicationIcon());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* m_window;
};

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

QIcon applicationIcon(int largest) {
    // Read as every other picture is: QIcon::addFile would load every image
    // format plugin to ask whether it can read the file.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        if (size <= largest) {
            icon.addPixmap(readPng(QStringLiteral(":/pictures/icons/app_icon_%1.png").arg(size)));
        }
    }
    return icon;
}

void setUpWindow(QWidget* window, const QString& name, const QString& title, QSize size) {
    window->setObjectName(name);
    window->setWindowTitle(title);
    // Only a desktop showing large icons asks for the two largest sizes, so
    // they come once the window has been painted.
    window->setWindowIcon(applicationIcon(64));
    window->installEventFilter(new WholeIconAfterFirstPaint(window));
    window->setFixedSize(size);
    window->setAutoFillBackground(true);
    setPaletteColour(window, QPalette::Window, Qt::white);
}

void placeAsDesigned(QWidget* window, const QRect& designed) {
    if (const QScreen* screen = QGuiApplication::primaryScreen();
        screen && screen->availableGeometry().contains(designed)) {
        window->setGeometry(designed);
    }
}

void bringToFront(QWidget* window) {
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void setPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    if (!colour.isValid()) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setClassicEdgeColours(QWidget* widget) {
    widget->setPalette(classicEdgePalette(widget->palette()));
}

void drawClassicSunkenEdge(QPainter* painter, const QRect& rect) {
    qDrawWinPanel(painter, rect, classicEdgePalette(QPalette()), true);
}

#ifdef MIVESK_HAVE_XCB
xcb_connection_t* x11Connection() {
    // Other platforms (offscreen among them) may answer as X11 too.
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    return x11->connection();
}
#endif

} // namespace mivesk

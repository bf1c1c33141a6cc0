#include "WindowPlacement.h"

#include "FixedLook.h"
#include "Pictures.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <functional>

namespace mivesk {

namespace {

// A window frame's usual margins, for a window that has not been shown yet.
constexpr QMargins UsualFrame(4, 28, 4, 4);

// Room left between two windows placed side by side, so that a frame's
// rounding to device pixels at 150 % can never make them overlap.
constexpr int Gap = 2;
// The hint window was designed to sit 11 px further left than the main
// window.
constexpr int DesignedLeftShift = -11;

// Runs `then` once its window's first paint is done, then goes.
class AfterFirstPaint final : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> then)
        : QObject(window), m_window(window), m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_then();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* m_window;
    std::function<void()> m_then;
};

void afterFirstPaint(QWidget* window, std::function<void()> then) {
    window->installEventFilter(new AfterFirstPaint(window, std::move(then)));
}

// The start of a span of `length` inside [low, low + room), as near to
// `wanted` as it can be; at `low` where it is longer than the room.
int clampedStart(int wanted, int length, int low, int room) {
    return std::max(low, std::min(wanted, low + room - length));
}

// Where a frame of `size` wanted at `at` comes to lie within `area`, each
// direction on its own.
QPoint clampedInto(const QRect& area, QPoint at, QSize size) {
    return {clampedStart(at.x(), size.width(), area.left(), area.width()),
            clampedStart(at.y(), size.height(), area.top(), area.height())};
}

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

} // namespace

void setUpWindow(QWidget* window, const QString& name, const QString& title, QSize size) {
    window->setObjectName(name);
    window->setWindowTitle(title);
    // No window needs the program's icon for its first frame: it is decoded
    // once the first window has been painted, and every window shares it.
    afterFirstPaint(window, [] {
        if (QApplication::windowIcon().isNull()) {
            QApplication::setWindowIcon(applicationIcon());
        }
    });
    setClientSize(window, size, onWayland());
    window->setAutoFillBackground(true);
    setPaletteColour(window, QPalette::Window, Qt::white);
}

void setClientSize(QWidget* window, QSize size, bool sizedByCompositor) {
    if (!sizedByCompositor) {
        window->setFixedSize(size);
        return;
    }
    window->setMinimumSize(size);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->resize(size);
}

QPoint besideWithoutCovering(const QRect& area, const QRect& main, QSize frame) {
    const int w = frame.width();
    const int h = frame.height();
    const int x = clampedStart(main.left() + DesignedLeftShift, w, area.left(), area.width());
    const int y = clampedStart(main.top(), h, area.top(), area.height());
    const std::array<QPoint, 4> sides{
        QPoint(x, main.bottom() + 1 + Gap), QPoint(main.right() + 1 + Gap, y),
        QPoint(main.left() - Gap - w, y), QPoint(x, main.top() - Gap - h)};
    for (const QPoint& side : sides) {
        const QRect place(side, frame);
        if (area.contains(place) && !place.intersects(main)) {
            return side;
        }
    }
    // No side has room: each side pushed back onto the screen, and of those
    // the one that covers least.
    QPoint best;
    int least = -1;
    for (const QPoint& side : sides) {
        const QPoint inside = clampedInto(area, side, frame);
        const int covered = overlap(QRect(inside, frame), main);
        if (least < 0 || covered < least) {
            least = covered;
            best = inside;
        }
    }
    return best;
}

QPoint centredWithin(const QRect& area, QPoint centre, QSize frame) {
    const QPoint centred = centre - QPoint(frame.width() - 1, frame.height() - 1) / 2;
    return clampedInto(area, centred, frame);
}

QPoint startOfMainWindow(const QRect& area, QSize main, QSize hint) {
    const int left = std::min(0, DesignedLeftShift);
    const int right = std::max(main.width(), DesignedLeftShift + hint.width());
    const QSize pair(right - left, main.height() + Gap + hint.height());
    if (pair.width() <= area.width() && pair.height() <= area.height()) {
        return centredWithin(area, area.center(), pair) - QPoint(left, 0);
    }
    // A wide, low screen may still have room for the two side by side.
    const QSize sideBySide(main.width() + Gap + hint.width(),
                           std::max(main.height(), hint.height()));
    if (sideBySide.width() <= area.width() && sideBySide.height() <= area.height()) {
        return centredWithin(area, area.center(), sideBySide);
    }
    return keptWithin(area, QRect(centredWithin(area, area.center(), main), main));
}

QPoint keptWithin(const QRect& area, const QRect& frame) {
    if (frame.width() > area.width() || frame.height() > area.height()) {
        return area.topLeft();
    }
    return clampedInto(area, frame.topLeft(), frame.size());
}

QRect withUsualFrame(const QRect& client) {
    return client.marginsAdded(UsualFrame);
}

QRect frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry()) {
        return frame;
    }
    // Not shown yet: the margins the main window was given, where it has
    // them, are the likeliest.
    const QWidget* main = mainWindow();
    if (!main || main == window || main->frameGeometry() == main->geometry()) {
        return withUsualFrame(window->geometry());
    }
    const QRect inner = main->geometry();
    const QRect outer = main->frameGeometry();
    return window->geometry().marginsAdded(
        QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                 outer.right() - inner.right(), outer.bottom() - inner.bottom()));
}

void placeOnStart(QWidget* main, QSize hintClient) {
    const QScreen* screen = main->screen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    // Not shown yet, its frame is not known: each window is taken with the
    // frame most window managers give.
    const QPoint frame = startOfMainWindow(area, frameOf(main).size(),
                                           withUsualFrame(QRect(QPoint(), hintClient)).size());
    main->move(frame);
    if (onWayland()) {
        return; // The compositor places the window.
    }
    // The frame the window manager gives may be larger than the usual one,
    // and a window manager may take the place asked for as the client's
    // rather than the frame's. Where that leaves part of the window off a
    // small screen, the window is put right as soon as its frame is known.
    // That is looked at once only, so it never fights the user moving the
    // window later, and a window wholly on screen is left where it is.
    afterFirstPaint(main, [main] {
        const QScreen* shownOn = main->screen();
        if (!shownOn) {
            return;
        }
        const QRect frame = main->frameGeometry();
        const QPoint place = keptWithin(shownOn->availableGeometry(), frame);
        if (place != frame.topLeft()) {
            main->move(place);
        }
    });
}

QWidget* mainWindow() {
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == QLatin1String("Form1") && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

void bringToFront(QWidget* window) {
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace mivesk

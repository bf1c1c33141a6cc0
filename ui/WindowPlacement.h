#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace mivesk {

// How each of the three windows is set up, where it opens and how it comes
// to the front.

// What every window does first: it takes its object name and title, the
// program's icon, and a client area of `size` with a white background, of
// fixed size but where a Wayland compositor sizes the window.
void setUpWindow(QWidget* window, const QString& name, const QString& title, QSize size);

// A client area of `size`, fixed; or where the compositor sizes the window
// (`sizedByCompositor`), at least that large. Qt 6.4 on Wayland: a
// compositor's maximised, fullscreen or tiled state comes with its own size,
// which the window must take, or the compositor ends the connection and the
// program with it. The controls stay at their designed places, on the
// window's own background, and end at the designed edge.
void setClientSize(QWidget* window, QSize size, bool sizedByCompositor);

// Where a window whose frame is `frame` goes beside the frame `main`, within
// `area`, without covering any of it: below first, as the two windows were
// designed, then to the right, to the left, and above. It is always wholly
// inside `area` where it fits there; where no side has room, it takes the
// place that covers least of `main`. Returns the top-left of its frame.
QPoint besideWithoutCovering(const QRect& area, const QRect& main, QSize frame);

// Where a window whose frame is `frame` goes to be centred on `centre`:
// moved as little as it takes to be wholly inside `area`, and at the area's
// top or left edge where it is larger than the area, so that its title bar
// is never off screen. Returns the top-left of its frame.
QPoint centredWithin(const QRect& area, QPoint centre, QSize frame);

// Where the main window, whose frame is `main`, opens: so that it and the
// hint window below it, of frame `hint`, are centred together in `area`
// where both fit; else the two side by side where they fit so; else the
// main window alone, centred, or at the area's top-left where it is larger
// than the area. Returns the top-left of its frame.
QPoint startOfMainWindow(const QRect& area, QSize main, QSize hint);

// Where a window whose frame is `frame` goes to show as much of itself as
// `area` allows: where it is, if it is wholly inside; at the area's top-left
// if it is larger than the area, so that its title bar and its top-left
// corner are on screen; else moved as little as it takes to be inside.
// Returns the top-left of its frame.
QPoint keptWithin(const QRect& area, const QRect& frame);

// `client` with a window frame's usual margins.
QRect withUsualFrame(const QRect& client);

// The frame of `window`: as the window system has told it, or for a window
// not shown yet, its client area with the margins of the main window's
// frame, or else with the usual margins.
QRect frameOf(const QWidget* window);

// Places the main window, not shown yet, as startOfMainWindow() says, on its
// screen, with a hint window of client size `hintClient`. Once it is shown
// and its real frame is known, it is moved once more where keptWithin()
// says, if that differs.
void placeOnStart(QWidget* main, QSize hintClient);

// The program's main window, or nullptr when it has none on screen.
QWidget* mainWindow();

// Shows `window` in front of the others and gives it the keyboard; a
// minimised window is restored first.
void bringToFront(QWidget* window);

} // namespace mivesk

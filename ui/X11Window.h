#pragma once

#include <QAbstractNativeEventFilter>

#include <memory>

class QWidget;

namespace mivesk {

// What the windows tell an X11 window manager that Qt has no call for. On
// any other window system each of these does nothing.

// On a Wayland desktop that also runs an X server for X11 programs, asks Qt
// for that X server, unless the user has chosen a platform: there the
// windows open where the program puts them, the desktop draws their title
// bars by the program's hints, and they stack as designed. Call before the
// application object is made.
void preferX11OnWayland();

// Keeps `window` off the taskbar. Call before it is first shown.
void keepOffTheTaskbar(QWidget* window);

// Qt marks a tool window as belonging to the program as a whole, by its
// window group and by making it transient for the program. Window managers
// take either as "always above the program's other windows", so a click on
// the main window could never bring it in front. leaveTheProgramsGroup()
// takes `window` out of the group (call before it is first shown),
// stackOnItsOwn() drops the transient mark that Qt sets while showing it
// (call right after).
void leaveTheProgramsGroup(QWidget* window);
void stackOnItsOwn(QWidget* window);

// While it lives, a mouse press on any other window of the program brings
// `modal` to the front. On X11 such a press never reaches the program's
// widgets: Qt drops it because `modal` blocks them, and the keyboard that
// the window manager hands the clicked window goes on to `modal`, which
// does not come back by itself if it is minimised.
std::unique_ptr<QAbstractNativeEventFilter> watchBlockedClicks(QWidget* modal);

} // namespace mivesk

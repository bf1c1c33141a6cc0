#pragma once

#include <Qt>

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

// The type for a tool window that stacks on its own, not above the
// program's other windows. Qt makes every tool window transient for the
// program as a whole, and on X11 says so before the window is first mapped;
// some window managers read that mark only then and keep such a window above
// all the program's others for good. So on X11 it is an ordinary window, and
// nameAsToolWindow() (call before it is first shown) names it a tool window,
// which gives it the same narrow title bar; elsewhere it is Qt's tool window.
Qt::WindowType ownerlessToolWindow();
void nameAsToolWindow(QWidget* window);

// Qt puts every window in the program's window group, which window managers
// also take as "keep above the program's other windows". Takes `window` out
// of it. Call before it is first shown.
void leaveTheProgramsGroup(QWidget* window);

} // namespace mivesk

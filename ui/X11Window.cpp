#include "X11Window.h"

#include <QGuiApplication>
#include <QWidget>

#if QT_CONFIG(xcb) && defined(MIVESK_HAVE_XCB)
#define MIVESK_X11 1
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace mivesk {

namespace {

#ifdef MIVESK_X11
// The program's connection to the X server, or nullptr where it does not
// run on X11.
xcb_connection_t* x11Connection() {
    // Other platforms (offscreen among them) may answer as X11 too.
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    return x11->connection();
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// Whether the window manager lists `feature` among the hints it supports;
// true where it lists none, as one that starts later most likely will.
bool windowManagerSupports(xcb_atom_t feature) {
    xcb_connection_t* connection = x11Connection();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!screen || feature == XCB_ATOM_NONE) {
        return true;
    }
    // Read whole: a window manager lists a few hundred hints at most.
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, atom(connection, "_NET_SUPPORTED"),
                         XCB_ATOM_ATOM, 0, 4096),
        nullptr);
    bool supported = true;
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* listed = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        supported = count == 0 || std::find(listed, listed + count, feature) != listed + count;
    }
    std::free(reply);
    return supported;
}

// Whether the window manager is a minimal one that does not list the window
// types it knows (weston's, for X11 programs on a Wayland desktop). It takes
// a tool window for a pop-up that stays above every window and never takes
// the keyboard.
bool minimalX11WindowManager() {
    if (xcb_connection_t* connection = x11Connection()) {
        return !windowManagerSupports(atom(connection, "_NET_WM_WINDOW_TYPE_UTILITY"));
    }
    return false;
}

#endif

} // namespace

void preferX11OnWayland() {
#ifdef MIVESK_X11
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        // Wayland still, should the X server not answer.
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    }
#endif
}

void keepOffTheTaskbar([[maybe_unused]] QWidget* window) {
#ifdef MIVESK_X11
    // Qt merges what the window already has in _NET_WM_STATE with its own
    // states when it maps the window.
    xcb_connection_t* connection = x11Connection();
    const xcb_atom_t skipTaskbar =
        connection ? atom(connection, "_NET_WM_STATE_SKIP_TASKBAR") : xcb_atom_t(XCB_ATOM_NONE);
    if (skipTaskbar == XCB_ATOM_NONE) {
        return;
    }
    xcb_change_property(connection, XCB_PROP_MODE_APPEND,
                        static_cast<xcb_window_t>(window->winId()),
                        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
#endif
}

Qt::WindowType ownerlessToolWindow() {
#ifdef MIVESK_X11
    if (x11Connection()) {
        return Qt::Window;
    }
#endif
    return Qt::Tool;
}

void nameAsToolWindow([[maybe_unused]] QWidget* window) {
#ifdef MIVESK_X11
    // Under a minimal window manager it stays an ordinary window, with the
    // same title bar there.
    if (!x11Connection() || window->windowType() == Qt::Tool || minimalX11WindowManager()) {
        return;
    }
    // Qt 6 applies the attribute only to a window the X server already has.
    window->winId();
    window->setAttribute(Qt::WA_X11NetWmWindowTypeUtility);
#endif
}

void leaveTheProgramsGroup([[maybe_unused]] QWidget* window) {
#ifdef MIVESK_X11
    xcb_connection_t* connection = x11Connection();
    if (!connection) {
        return;
    }
    // WM_HINTS is nine 32-bit fields, the flags first and the group leader
    // last; Qt names its client leader there for every window.
    constexpr uint32_t WindowGroupHint = 1U << 6;
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9),
        nullptr);
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 9 * 4) {
        uint32_t hints[9];
        std::memcpy(hints, xcb_get_property_value(reply), sizeof hints);
        hints[0] &= ~WindowGroupHint;
        hints[8] = 0;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS,
                            XCB_ATOM_WM_HINTS, 32, 9, hints);
    }
    std::free(reply);
#endif
}

} // namespace mivesk

#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QSize>
#include <QString>

class QPainter;
class QRect;
class QWidget;
#ifdef MIVESK_HAVE_XCB
struct xcb_connection_t;
#endif

namespace mivesk {

// What every window of the program shares: its pictures, its icon, how a
// control's colours are set, and the one sunken edge.

// The picture ":/pictures/<name>.png", loaded once and shared by every
// control that shows it. On a screen of more than 100 % it comes from the
// "<name>@2x.png" twin, brought to the screen's own density with smooth
// scaling where that is not exactly 200 %, at the same size in
// device-independent pixels.
QPixmap resourcePicture(const QString& name);

// The application icon of every window: each size of the icon set that the
// program carries, up to `largest` pixels.
QIcon applicationIcon(int largest = 256);

// What every window does first: it takes its object name and title, the
// program's icon, and a fixed client area of `size` with a white background.
void setUpWindow(QWidget* window, const QString& name, const QString& title, QSize size);

// Puts `window` where it was designed to sit, if the screen has room for it
// there; elsewhere it stays where the window system puts it.
void placeAsDesigned(QWidget* window, const QRect& designed);

// Shows `window` in front of the others and gives it the keyboard; a
// minimised window is restored first.
void bringToFront(QWidget* window);

// Sets one colour of a control's palette. An invalid colour leaves the role
// as it was.
void setPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// The classic sunken edge, 2 px on each side: grey and black on the
// shadowed top and left, white and light grey on the lit bottom and right.
// setClassicEdgeColours() gives a framed control (a QFrame drawn as a
// sunken WinPanel) those colours; drawClassicSunkenEdge() paints the same
// edge for a control that paints itself.
inline constexpr int ClassicEdgeWidth = 2;
void setClassicEdgeColours(QWidget* widget);
void drawClassicSunkenEdge(QPainter* painter, const QRect& rect);

#ifdef MIVESK_HAVE_XCB
// The program's connection to the X server, or nullptr where it does not
// run on X11.
xcb_connection_t* x11Connection();
#endif

} // namespace mivesk

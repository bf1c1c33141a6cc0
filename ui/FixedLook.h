#pragma once

#include <QColor>
#include <QPalette>

class QPainter;
class QRect;
class QStyle;
class QWidget;

namespace mivesk {

// The windows were drawn for one look: black text on white and pastel
// panels, light option buttons and check box. A desktop's dark theme, its
// colour scheme or a style chosen through the environment must change none
// of it, since the panels keep their own fixed colours and text in the
// theme's colours could vanish on them.

// Gives the program its own style and light palette, and keeps the palette
// when the desktop's theme later changes the application's. Call once, right
// after the application object is made.
void keepDesignedLook();

// A new instance of the style the windows are drawn with, whatever style the
// desktop asks for; for a proxy style that adjusts it.
QStyle* newDesignedStyle();

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

} // namespace mivesk

#pragma once

#include <QRect>
#include <QRgb>
#include <QString>

#include <span>

namespace mivesk {

// Every control of the main window in one table, so that a reader finds any
// control's place, size, stacking and start state in one look, and the
// window builds itself from it.
//
// Object names: a control's QObject::objectName is its name; a member of a
// control array gets "<name>_<index>" ("ImTen_0" to "ImTen_5", "ImTenKai_0"
// to "ImTenKai_5", "Option1_0" to "Option1_11") and also carries its index
// in the dynamic property "Index".
//
// Geometry is in pixels of the client area (twips / 15).
//
// Stacking: windowless controls (images, labels, shapes) have an order, 1
// on top; where their rectangles overlap, the higher one paints over the
// lower and takes its clicks (shapes take none). Windowed controls (option
// buttons, check box, text box) lie above all of them and take the keyboard
// focus by tab index.

enum class ControlKind { Image, Label, Shape, OptionButton, CheckBox, TextBox };

struct ControlDesign {
    static constexpr int NoIndex = -1;

    const char* name;
    int index; // position in its control array, or NoIndex
    ControlKind kind;
    QRect rect;
    int order; // windowless controls only: 1 is the topmost; 0 for windowed ones
    bool visibleAtStart;
    int tabIndex; // windowed controls only; -1 otherwise
    // UTF-8: the caption or text, or for an image the name of its picture
    // in ":/pictures/".
    const char* content;
    // UTF-8: the name a screen reader announces for an image; labels are
    // announced by their text, dots by their state.
    const char* accessibleName;

    bool isWindowless() const { return order > 0; }
};

// The controls, windowless ones from the top of the stacking order down,
// then the windowed ones.
std::span<const ControlDesign> form1Controls();

// "ImTen_3" for a control-array member, the bare name otherwise.
QString objectNameOf(const ControlDesign& control);

// How a label looks, for the labels that differ from plain default text.
enum class TextColour { ButtonText, WindowText, Fixed };

struct LabelStyle {
    const char* name;
    const char* family; // nullptr: the window's default font
    double points;
    bool bold;
    TextColour textColour;
    QRgb colour; // with TextColour::Fixed
    Qt::Alignment alignment;
    bool opaque; // fills its rectangle with `background` first
    QRgb background;
    bool sunkenBorder; // a single 3D sunken border, 2 px wide
    int lines;         // the lines its text was laid out to fill
};

std::span<const LabelStyle> form1LabelStyles();

struct ShapeStyle {
    const char* name;
    bool rounded;
    QRgb fill;
    bool crossHatched;
    QRgb hatch;
};

std::span<const ShapeStyle> form1ShapeStyles();

} // namespace mivesk

#pragma once

#include "ImageControl.h"

#include <QRect>
#include <QRgb>
#include <QString>

#include <algorithm>
#include <cstring>
#include <functional>
#include <span>

class QWidget;

namespace mivesk {

// Every window is built from tables like these: one row per control with
// its place, size, stacking and start state, and a few rows of looks for
// the controls that differ from the plain ones. A reader finds any
// control's whole design in one look, and every window builds itself the
// same way.
//
// Object names: a control's QObject::objectName is its name; a member of a
// control array gets "<name>_<index>" ("ImTen_0" to "ImTen_5") and also
// carries its index in the dynamic property "Index".
//
// Geometry is in pixels of the client area (twips / 15).
//
// Stacking: windowless controls (images, labels, shapes) have an order, 1
// on top; where their rectangles overlap, the higher one paints over the
// lower and takes its clicks (shapes take none). Windowed controls (option
// buttons, check box, text boxes) lie above all of them and take the
// keyboard focus by tab index.

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
    // UTF-8: the name a screen reader announces for an image or a text
    // box; labels are announced by their text.
    const char* accessibleName;

    bool isWindowless() const { return order > 0; }
};

// Short names that keep each table row on one readable line; a file of
// tables takes them with `using namespace table;`.
namespace table {
using K = ControlKind;
constexpr int No = ControlDesign::NoIndex;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment Centre = Qt::AlignHCenter | Qt::AlignTop;
} // namespace table

// The tables hold their texts as UTF-8.
inline QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The row of `styles` for the control called `name`, or nullptr.
template <typename Style> const Style* styleFor(std::span<const Style> styles, const char* name) {
    const auto found = std::find_if(styles.begin(), styles.end(), [name](const Style& style) {
        return std::strcmp(style.name, name) == 0;
    });
    return found == styles.end() ? nullptr : &*found;
}

// How a label looks, for the labels that differ from plain default text.
enum class TextColour { ButtonText, WindowText, Fixed };

struct LabelStyle {
    const char* name;
    const char* family; // nullptr: the window's default font
    double points;
    bool bold;
    bool underline;
    TextColour textColour;
    QRgb colour; // with TextColour::Fixed
    Qt::Alignment alignment;
    bool opaque; // fills its rectangle with `background` first
    QRgb background;
    bool sunkenBorder; // a single 3D sunken border, 2 px wide
    int lines;         // the lines its text was laid out to fill
};

struct ShapeStyle {
    const char* name;
    bool rounded;
    QRgb fill;
    bool crossHatched;
    QRgb hatch;
};

// What an image is to a screen reader, and whether it sits in the classic
// sunken edge; an image with no row is a plain picture.
struct ImageStyle {
    const char* name;
    ImageControl::AccessibleKind accessibleKind;
    bool sunkenBorder;
};

struct WindowDesign {
    std::span<const ControlDesign> controls;
    std::span<const LabelStyle> labels;
    std::span<const ShapeStyle> shapes;
    std::span<const ImageStyle> images = {};
};

// Builds the controls of `design` into `window` in their stacking order,
// with their names, places, start states, looks and tab order. Images,
// labels and shapes are built here; each windowed control comes from
// `makeWindowed`, which the window gives.
void buildControls(QWidget* window, const WindowDesign& design,
                   const std::function<QWidget*(const ControlDesign&)>& makeWindowed);

} // namespace mivesk

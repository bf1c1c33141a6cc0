#pragma once

#include <QString>

class QWidget;

namespace mivesk {

// Lets a screen reader work the drill: the program's own controls and
// windows get accessible interfaces that say what they are and can be
// worked by actions. Call it before the first window is built; later calls
// do nothing.
void installAccessibility();

// Keeps `control` out of what a screen reader sees: it carries nothing a
// listener needs. Shapes are always kept out.
void keepFromScreenReaders(QWidget* control);

// Has a screen reader say `message` through a notification of `window`
// that shows anew with it, without moving the focus: at once where `window`
// is active, else once it becomes active. Every spoken result of the
// program takes this road.
void announce(QWidget* window, const QString& message);

// Everything `window` shows in words, in reading order.
QString contentsOf(QWidget* window);

} // namespace mivesk

#pragma once

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

} // namespace mivesk

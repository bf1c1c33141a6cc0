#pragma once

#include <QAccessibleWidget>

class QWidget;

namespace mivesk {

class ImageControl;

// Lets a screen reader work the drill: the program's own controls and
// windows get accessible interfaces that say what they are and can be
// worked by actions. Call it before the first window is built; later calls
// do nothing.
void installAccessibility();

// Keeps `control` out of what a screen reader sees: it carries nothing a
// listener needs. Shapes are always kept out.
void keepFromScreenReaders(QWidget* control);

// An image control as a screen reader sees it: a push button, a dot of a
// cell (a check box), a verdict mark (an alert) or a plain picture.
class AccessibleImageControl : public QAccessibleWidget {
public:
    explicit AccessibleImageControl(ImageControl* control);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    ImageControl* control() const;
};

// One of the program's windows: its controls without the ones kept from
// screen readers, in creation order or, for the small cards, in reading
// order (top to bottom, then left to right).
class AccessibleWindow : public QAccessibleWidget {
public:
    enum class Order { Creation, Reading };
    AccessibleWindow(QWidget* window, QAccessible::Role role, Order order);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QWidget*> shownChildren() const;
    Order m_order;
};

// Works `control` as a mouse click at its centre would: the click goes to
// whatever control lies topmost at that point, and is refused while another
// window is modal. It is delivered from the event loop, so that an action
// that opens a modal window does not hold up the screen reader waiting for
// its answer. The keyboard focus does not move.
void clickAtCentre(QWidget* control);

} // namespace mivesk

#include "Accessibility.h"

#include "Dialog.h"
#include "Form1.h"
#include "ImageControl.h"
#include "ShapeControl.h"
#include "frmAbout.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>

#include <algorithm>

namespace mivesk {

namespace {

constexpr const char* KeptFromScreenReaders = "mivesk_keptFromScreenReaders";

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

// What a window has to say without moving the focus: a notification that
// shows anew with each message. It is not a widget, so it neither paints nor
// takes a click, and a window's list of controls leaves it out. A message
// for a window that is not active yet waits until it is, and comes after
// the screen reader has read the window's title, which would otherwise cut
// it short.
class Announcement : public QObject {
    Q_OBJECT
public:
    explicit Announcement(QWidget* window) : QObject(window) {
        setObjectName(QStringLiteral("announcement"));
        window->installEventFilter(this);
    }

    void say(const QString& text) {
        message = text;
        m_waiting = !static_cast<QWidget*>(parent())->isActiveWindow();
        if (!m_waiting) {
            QAccessibleEvent shown(this, QAccessible::ObjectShow);
            QAccessible::updateAccessibility(&shown);
        }
    }

    QString message;

protected:
    bool eventFilter(QObject* window, QEvent* event) override {
        if (m_waiting && event->type() == QEvent::ActivationChange &&
            static_cast<QWidget*>(window)->isActiveWindow()) {
            m_waiting = false;
            QMetaObject::invokeMethod(
                this, [this] { say(message); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_waiting = false;
};

class AccessibleAnnouncement : public QAccessibleObject {
public:
    explicit AccessibleAnnouncement(Announcement* announcement) : QAccessibleObject(announcement) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcement*>(object())->message : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
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

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* announcement = qobject_cast<Announcement*>(object)) {
        return new AccessibleAnnouncement(announcement);
    }
    if (auto* image = qobject_cast<ImageControl*>(object)) {
        return new AccessibleImageControl(image);
    }
    if (auto* main = qobject_cast<Form1*>(object)) {
        return new AccessibleWindow(main, QAccessible::Window, AccessibleWindow::Order::Creation);
    }
    if (auto* hint = qobject_cast<Dialog*>(object)) {
        return new AccessibleWindow(hint, QAccessible::Window, AccessibleWindow::Order::Reading);
    }
    if (auto* about = qobject_cast<frmAbout*>(object)) {
        return new AccessibleWindow(about, QAccessible::Dialog, AccessibleWindow::Order::Reading);
    }
    return nullptr;
}

} // namespace

void announce(QWidget* window, const QString& message) {
    auto* announcement = window->findChild<Announcement*>(QString(), Qt::FindDirectChildrenOnly);
    if (!announcement) {
        announcement = new Announcement(window);
    }
    announcement->say(message);
}

QString contentsOf(QWidget* window) {
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(window);
    QStringList texts;
    for (int i = 0; shown && i < shown->childCount(); ++i) {
        QAccessibleInterface* child = shown->child(i);
        if (!child || child->state().invisible) {
            continue;
        }
        if (child->role() == QAccessible::StaticText) {
            texts << child->text(QAccessible::Name);
        } else if (QAccessibleTextInterface* text = child->textInterface()) {
            texts << text->text(0, text->characterCount());
        }
    }
    texts.removeAll(QString());
    return texts.join(QLatin1Char('\n'));
}

void installAccessibility() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    QAccessible::installFactory(accessibleFor);
}

void keepFromScreenReaders(QWidget* control) {
    control->setProperty(KeptFromScreenReaders, true);
}

namespace {

AccessibleImageControl::AccessibleImageControl(ImageControl* control) : QAccessibleWidget(control) {
}

ImageControl* AccessibleImageControl::control() const {
    return static_cast<ImageControl*>(widget());
}

QAccessible::Role AccessibleImageControl::role() const {
    switch (control()->accessibleKind()) {
    case ImageControl::AccessibleKind::Button:
        return QAccessible::Button;
    case ImageControl::AccessibleKind::InputDot:
    case ImageControl::AccessibleKind::AnswerDot:
        return QAccessible::CheckBox;
    case ImageControl::AccessibleKind::Mark:
        return QAccessible::AlertMessage;
    case ImageControl::AccessibleKind::Picture:
        break;
    }
    return QAccessible::Graphic;
}

QAccessible::State AccessibleImageControl::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    switch (control()->accessibleKind()) {
    case ImageControl::AccessibleKind::AnswerDot:
        // The answer cell only shows the answer; a click does nothing.
        state.readOnly = true;
        [[fallthrough]];
    case ImageControl::AccessibleKind::InputDot:
        state.checkable = true;
        state.checked = control()->isRaised();
        break;
    default:
        break;
    }
    return state;
}

QStringList AccessibleImageControl::actionNames() const {
    switch (control()->accessibleKind()) {
    case ImageControl::AccessibleKind::Button:
        return {pressAction()};
    case ImageControl::AccessibleKind::InputDot:
        return {toggleAction()};
    default:
        return {};
    }
}

void AccessibleImageControl::doAction(const QString& actionName) {
    // From the event loop, so that an action that opens a modal window does
    // not hold up the screen reader waiting for its answer.
    if (actionNames().contains(actionName)) {
        QMetaObject::invokeMethod(control(), &ImageControl::clickAsTheMouseWould,
                                  Qt::QueuedConnection);
    }
}

QStringList AccessibleImageControl::keyBindingsForAction(const QString& actionName) const {
    // The control never takes the focus, but its window's keys work it.
    QStringList names;
    if (actionNames().contains(actionName)) {
        for (const QKeySequence& key : control()->keys()) {
            names << key.toString(QKeySequence::NativeText);
        }
    }
    return names;
}

AccessibleWindow::AccessibleWindow(QWidget* window, QAccessible::Role role, Order order)
    : QAccessibleWidget(window, role), m_order(order) {
}

QList<QWidget*> AccessibleWindow::shownChildren() const {
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow() || qobject_cast<ShapeControl*>(child) ||
            child->property(KeptFromScreenReaders).toBool()) {
            continue;
        }
        children.append(child);
    }
    if (m_order == Order::Reading) {
        std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
            const QPoint p = a->pos();
            const QPoint q = b->pos();
            return p.y() != q.y() ? p.y() < q.y() : p.x() < q.x();
        });
    }
    return children;
}

int AccessibleWindow::childCount() const {
    return int(shownChildren().size());
}

QAccessibleInterface* AccessibleWindow::child(int index) const {
    const QList<QWidget*> children = shownChildren();
    if (index < 0 || index >= children.size()) {
        return nullptr;
    }
    return QAccessible::queryAccessibleInterface(children.at(index));
}

int AccessibleWindow::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || !child->object() || !child->object()->isWidgetType()) {
        return -1;
    }
    return int(shownChildren().indexOf(static_cast<QWidget*>(child->object())));
}

} // namespace

} // namespace mivesk

#include "Accessibility.moc"

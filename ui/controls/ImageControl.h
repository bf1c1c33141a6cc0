#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QList>
#include <QPixmap>
#include <QString>

namespace mivesk {

// A picture that works as a button: it shows its picture at the picture's
// own size from its top-left corner (never stretched) and raises clicked()
// when the left button is pressed and released inside it. Its whole
// rectangle takes the mouse, also where the picture is transparent, so a
// click never falls through to a control beneath it. It never takes the
// keyboard focus.
class ImageControl : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent);

    void setPicture(const QPixmap& picture);
    // Shows resourcePicture(name), decoded only when the control is first
    // painted or its picture is asked for: a control hidden at start-up (the
    // verdict marks) costs nothing until it is shown.
    void setResourcePicture(const QString& name);
    const QPixmap& picture() const;

    // The classic sunken edge, 2 px on each side, with the picture inside it.
    void setSunkenBorder(bool on);

    // What the control is to a screen reader, said where it is made.
    enum class AccessibleKind { Picture, Button, InputDot, AnswerDot, Mark };
    void setAccessibleKind(AccessibleKind kind) { m_accessibleKind = kind; }
    AccessibleKind accessibleKind() const { return m_accessibleKind; }
    // A dot's state, read out as checked.
    void setRaised(bool raised);
    bool isRaised() const { return m_raised; }

    // The keys that work the control as a click does, for a screen reader
    // to name; the window that owns the keys says which.
    void setKeys(const QList<QKeySequence>& keys) { m_keys = keys; }
    const QList<QKeySequence>& keys() const { return m_keys; }

    // Clicks the control as the mouse would at its centre: not while
    // another control lies over that point (a verdict mark over a dot, the
    // welcome text over the cell), nor while another window is modal. Keys
    // and a screen reader's action come here.
    void clickAsTheMouseWould();

    // A mark that appears is announced.
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A picture looks the same pressed, so the press and release are
    // followed here rather than by QAbstractButton, which repaints the
    // button at once for each. Both inside the control click it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The second press of a double click is not a click: a double click
    // counts once.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // A picture named by setResourcePicture() and not decoded yet.
    mutable QString m_pendingPicture;
    mutable QPixmap m_picture;
    bool m_sunkenBorder = false;
    bool m_pressed = false;
    AccessibleKind m_accessibleKind = AccessibleKind::Picture;
    bool m_raised = false;
    QList<QKeySequence> m_keys;
};

} // namespace mivesk

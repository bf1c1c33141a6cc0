#pragma once

#include <QColor>
#include <QWidget>

namespace mivesk {

// A painted shape with no outline: a rectangle or a rounded rectangle,
// filled with one colour and optionally covered by a diagonal cross-hatch.
// Shapes only decorate: the mouse passes through them to whatever lies
// beneath.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    enum class Form { Rectangle, RoundedRectangle };

    ShapeControl(Form form, const QColor& fill, QWidget* parent);

    // Lines of `colour` crossing diagonally both ways over the fill.
    void setCrossHatch(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form m_form;
    QColor m_fill;
    QColor m_hatch;
};

} // namespace mivesk

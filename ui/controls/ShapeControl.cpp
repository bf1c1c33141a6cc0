#include "ShapeControl.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace mivesk {

ShapeControl::ShapeControl(Form form, const QColor& fill, QWidget* parent)
    : QWidget(parent), m_form(form), m_fill(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeControl::setCrossHatch(const QColor& colour) {
    m_hatch = colour;
    update();
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterPath outline;
    if (m_form == Form::RoundedRectangle) {
        // A modest corner that grows a little with the shape.
        const qreal radius = std::clamp(std::min(width(), height()) / 10.0, 4.0, 12.0);
        painter.setRenderHint(QPainter::Antialiasing);
        outline.addRoundedRect(QRectF(rect()), radius, radius);
    } else {
        outline.addRect(QRectF(rect()));
    }
    painter.fillPath(outline, m_fill);
    if (m_hatch.isValid()) {
        // The hatch lines stay crisp one-pixel lines.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setClipPath(outline);
        painter.fillRect(rect(), QBrush(m_hatch, Qt::DiagCrossPattern));
    }
}

} // namespace mivesk

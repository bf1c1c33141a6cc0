#include "ImageControl.h"

#include "FixedLook.h"
#include "Pictures.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

namespace mivesk {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ImageControl::setPicture(const QPixmap& picture) {
    m_pendingPicture.clear();
    m_picture = picture;
    update();
}

void ImageControl::setResourcePicture(const QString& name) {
    m_pendingPicture = name;
    m_picture = QPixmap();
    update();
}

const QPixmap& ImageControl::picture() const {
    if (!m_pendingPicture.isEmpty()) {
        m_picture = resourcePicture(m_pendingPicture);
        m_pendingPicture.clear();
    }
    return m_picture;
}

void ImageControl::setSunkenBorder(bool on) {
    m_sunkenBorder = on;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int inset = m_sunkenBorder ? ClassicEdgeWidth : 0;
    if (const QPixmap& shown = picture(); !shown.isNull()) {
        // Only where a picture's density differs from the screen's (a
        // picture made elsewhere than resourcePicture()) does it need
        // scaling; then it should not turn blocky.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QPoint(inset, inset), shown);
    }
    if (m_sunkenBorder) {
        drawClassicSunkenEdge(&painter, rect());
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
    }
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pressed = false;
    event->accept();
}

void ImageControl::setRaised(bool raised) {
    if (raised == m_raised) {
        return;
    }
    m_raised = raised;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ImageControl::setVisible(bool visible) {
    const bool appearing = visible && isHidden();
    QWidget::setVisible(visible);
    if (appearing && m_accessibleKind == AccessibleKind::Mark && isVisible()) {
        QAccessibleEvent event(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace mivesk

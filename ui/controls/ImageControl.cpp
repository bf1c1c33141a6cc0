#include "ImageControl.h"

#include "FixedLook.h"
#include "Pictures.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace mivesk {

namespace {

// Qt's raster engine splits a picture drawn over more than about a hundred
// rows across helper threads and waits for them; where the process may not
// start another thread, it waits for ever and the window freezes. Drawn a
// band of at most 64 screen rows at a time, each under a plain rectangular
// clip, the picture never leaves this thread.
void drawOnThisThread(QPainter& painter, QPoint at, const QPixmap& picture, const QRegion& region) {
    constexpr int ScreenRowsPerBand = 64;
    const int bandRows = std::max(
        1, int(ScreenRowsPerBand / std::max<qreal>(1.0, painter.device()->devicePixelRatioF())));
    const QRect whole = QRectF(at, picture.deviceIndependentSize()).toAlignedRect();
    const QRegion parts = region.intersected(whole);
    // A small picture under a plain clip (every dot and button) is one band
    // already.
    if (parts.rectCount() == 1 && whole.height() <= bandRows) {
        painter.drawPixmap(at, picture);
        return;
    }
    for (const QRect& part : parts) {
        for (int top = part.top(); top <= part.bottom(); top += bandRows) {
            painter.setClipRect(
                QRect(part.left(), top, part.width(), std::min(bandRows, part.bottom() + 1 - top)));
            painter.drawPixmap(at, picture);
        }
    }
    painter.setClipping(false);
}

} // namespace

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

void ImageControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int inset = m_sunkenBorder ? ClassicEdgeWidth : 0;
    if (const QPixmap& shown = picture(); !shown.isNull()) {
        // Only where a picture's density differs from the screen's (a
        // picture made elsewhere than resourcePicture()) does it need
        // scaling; then it should not turn blocky.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        drawOnThisThread(painter, QPoint(inset, inset), shown, event->region());
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

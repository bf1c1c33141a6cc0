#include "TextFit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace mivesk {

namespace {

// The narrowest stretch the label turns to; below it glyphs stop reading
// as themselves.
constexpr int NarrowestStretch = 40;

QTextOption wrapOption(Qt::Alignment alignment) {
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WordWrap);
    return option;
}

// Lays `text` out in `layout` at `width` and returns the number of lines.
int layOut(QTextLayout& layout, qreal width, qreal spacing) {
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * spacing));
        ++lines;
    }
    layout.endLayout();
    return lines;
}

// Whether `text` fits `width` in `font` on at most `lines` lines: no line
// wider than the width, measured by its advance and by its glyphs' ink.
bool fitsAcross(const QString& text, const QFont& font, qreal width, int lines) {
    const QStringList broken = wrappedLines(text, font, width);
    if (broken.size() > lines)
        return false;
    const QFontMetricsF metrics(font);
    for (const QString& line : broken) {
        const QRectF ink = metrics.boundingRect(line);
        const qreal left = std::min<qreal>(0, ink.left());
        const qreal right = std::max(metrics.horizontalAdvance(line), ink.right());
        if (right - left > width)
            return false;
    }
    return true;
}

} // namespace

QStringList wrappedLines(const QString& text, const QFont& font, qreal width) {
    QTextLayout layout(text, font);
    layout.setTextOption(wrapOption(Qt::AlignLeft));
    layOut(layout, width, 0);
    QStringList lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        lines << text.mid(line.textStart(), line.textLength());
    }
    return lines;
}

FitLabel::FitLabel(const QString& text, QWidget* parent, int designedLines)
    : QLabel(text, parent), m_designedLines(designedLines), m_designFont(font()) {
    setWordWrap(true);
    fit();
}

void FitLabel::setText(const QString& text) {
    if (text == this->text())
        return;
    QLabel::setText(text);
    fit();
}

void FitLabel::setDesignedLines(int lines) {
    m_designedLines = lines;
    fit();
}

bool FitLabel::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    switch (event->type()) {
    case QEvent::FontChange:
        if (!m_ownFont) {
            m_designFont = font();
            fit();
        }
        break;
    case QEvent::Resize:
    case QEvent::ContentsRectChange:
        fit();
        break;
    default:
        break;
    }
    return handled;
}

void FitLabel::fit() {
    const QRect box = contentsRect();
    const QString shown = text();
    QFont fitted = m_designFont;
    if (!shown.isEmpty() && !fitsAcross(shown, fitted, box.width(), m_designedLines)) {
        // The widest stretch that fits: fitting only gets easier as the
        // stretch narrows, so halve the range until it is one step wide.
        int fits = NarrowestStretch;
        int tooWide = 100;
        while (tooWide - fits > 1) {
            const int middle = (fits + tooWide) / 2;
            fitted.setStretch(middle);
            (fitsAcross(shown, fitted, box.width(), m_designedLines) ? fits : tooWide) = middle;
        }
        fitted.setStretch(fits);
    }
    if (fitted != font()) {
        m_ownFont = true;
        setFont(fitted);
        m_ownFont = false;
    }

    // Lines follow each other at the font's own spacing unless the designed
    // lines would then run past the bottom edge; then just close enough
    // that the last line's descent ends on it.
    QTextLayout layout(shown, fitted);
    layout.setTextOption(wrapOption(Qt::AlignLeft));
    const int lines = std::min(m_designedLines, layOut(layout, box.width(), 0));
    const qreal lineHeight = lines > 0 ? layout.lineAt(0).height() : 0;
    m_lineSpacing = lineHeight + QFontMetricsF(fitted).leading();
    m_tighter = false;
    if (lines > 1) {
        const qreal room = box.height() - lineHeight;
        if ((lines - 1) * m_lineSpacing > room) {
            m_lineSpacing = std::max<qreal>(1, std::floor(room / (lines - 1)));
            m_tighter = true;
        }
    }
    update();
}

void FitLabel::paintEvent(QPaintEvent* event) {
    if (!m_tighter) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect box = contentsRect();
    QTextLayout layout(text(), font());
    layout.setTextOption(wrapOption(alignment()));
    layOut(layout, box.width(), m_lineSpacing);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.setClipRect(box);
    layout.draw(&painter, box.topLeft());
}

} // namespace mivesk

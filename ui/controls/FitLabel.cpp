#include "FitLabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>

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

// `text` laid out in `font` at `width` on lines that follow each other
// without a gap, as a label with word wrap breaks it.
std::unique_ptr<QTextLayout> laidOut(const QString& text, const QFont& font, qreal width) {
    auto layout = std::make_unique<QTextLayout>(text, font);
    layout->setTextOption(wrapOption(Qt::AlignLeft));
    layOut(*layout, width, 0);
    return layout;
}

// Whether `layout`, its text in `font` laid out at `width`, has at most
// `lines` lines, none wider than the width, measured by its advance and by
// its glyphs' ink.
bool fitsAcross(const QTextLayout& layout, const QFont& font, qreal width, int lines) {
    if (layout.lineCount() > lines) {
        return false;
    }
    const QFontMetricsF metrics(font);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const QString shown = layout.text().mid(line.textStart(), line.textLength());
        const QRectF ink = metrics.boundingRect(shown);
        const qreal left = std::min<qreal>(0, ink.left());
        const qreal right = std::max(metrics.horizontalAdvance(shown), ink.right());
        if (right - left > width) {
            return false;
        }
    }
    return true;
}

// `font`, or where `text` in it would not fit `width` on `lines` lines, the
// same font at the widest stretch at which it does. `fittedLayout`, where
// given, gets the text laid out in the font returned.
QFont condensedToFit(const QFont& font, const QString& text, qreal width, int lines,
                     std::unique_ptr<QTextLayout>* fittedLayout = nullptr) {
    std::unique_ptr<QTextLayout> layout = laidOut(text, font, width);
    if (text.isEmpty() || fitsAcross(*layout, font, width, lines)) {
        if (fittedLayout) {
            *fittedLayout = std::move(layout);
        }
        return font;
    }
    // Every stretch tried costs a font of its own. Advances scale with the
    // stretch, so the natural width tells where the text should just fit;
    // that stretch and the one next to it usually settle it, and what is
    // left of the range is halved, since fitting only gets easier as the
    // stretch narrows.
    QFont fitted = font;
    int fits = NarrowestStretch;
    int tooWide = 100;
    const qreal natural = QFontMetricsF(font).horizontalAdvance(text);
    int next = tooWide - 1;
    if (natural > 0) {
        next = std::clamp(int(std::ceil(100 * width * lines / natural)), fits + 1, tooWide - 1);
    }
    layout.reset();
    for (bool first = true; tooWide - fits > 1; first = false) {
        fitted.setStretch(next);
        std::unique_ptr<QTextLayout> tried = laidOut(text, fitted, width);
        if (fitsAcross(*tried, fitted, width, lines)) {
            fits = next;
            layout = std::move(tried);
        } else {
            tooWide = next;
        }
        next = !first ? (fits + tooWide) / 2 : fits == next ? fits + 1 : tooWide - 1;
    }
    fitted.setStretch(fits);
    if (fittedLayout) {
        *fittedLayout = layout ? std::move(layout) : laidOut(text, fitted, width);
    }
    return fitted;
}

} // namespace

void fitButtonCaption(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<QRadioButton*>(button);
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const QFont fitted = condensedToFit(button->font(), button->text(), room.width(), 1);
    if (fitted != button->font()) {
        button->setFont(fitted);
    }
}

FitLabel::FitLabel(const QString& text, QWidget* parent, int designedLines)
    : QLabel(text, parent), m_designedLines(designedLines), m_designFont(font()) {
    setWordWrap(true);
}

void FitLabel::setText(const QString& text) {
    if (text == this->text()) {
        return;
    }
    QLabel::setText(text);
    fitLater();
}

void FitLabel::setDesignedLines(int lines) {
    m_designedLines = lines;
    fitLater();
}

void FitLabel::fitLater() {
    m_stale = true;
    update();
}

void FitLabel::fitIfStale() {
    if (m_stale || text() != m_fittedText) {
        fit();
    }
}

bool FitLabel::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    switch (event->type()) {
    case QEvent::FontChange:
        if (!m_ownFont) {
            m_designFont = font();
            fitLater();
        }
        break;
    case QEvent::Resize:
    case QEvent::ContentsRectChange:
        fitLater();
        break;
    default:
        break;
    }
    return handled;
}

void FitLabel::fit() {
    m_stale = false;
    const QRect box = contentsRect();
    const QString shown = text();
    m_fittedText = shown;
    std::unique_ptr<QTextLayout> layout;
    const QFont fitted = condensedToFit(m_designFont, shown, box.width(), m_designedLines, &layout);
    if (fitted != font()) {
        m_ownFont = true;
        setFont(fitted);
        m_ownFont = false;
    }

    // The first line starts at the top edge unless its glyphs reach above
    // the font's ascent; then it starts just low enough to show them whole.
    // Lines follow each other at the font's own spacing unless the designed
    // lines would then run past the bottom edge; then just close enough
    // that the last line's descent ends on it.
    const int lines = std::min(m_designedLines, layout->lineCount());
    const QFontMetricsF metrics(fitted);
    qreal overshoot = 0;
    for (int i = 0; i < lines; ++i) {
        const QTextLine line = layout->lineAt(i);
        const QRectF ink =
            metrics.tightBoundingRect(shown.mid(line.textStart(), line.textLength()));
        overshoot = std::max(overshoot, -ink.top() - line.ascent());
    }
    m_firstLineTop = std::ceil(overshoot);
    const qreal lineHeight = lines > 0 ? layout->lineAt(0).height() : 0;
    m_lineSpacing = lineHeight + metrics.leading();
    m_ownLayout = m_firstLineTop > 0;
    if (lines > 1) {
        const qreal room = box.height() - m_firstLineTop - lineHeight;
        if ((lines - 1) * m_lineSpacing > room) {
            m_lineSpacing = std::max<qreal>(1, std::floor(room / (lines - 1)));
            m_ownLayout = true;
        }
    }
    update();
}

void FitLabel::paintEvent(QPaintEvent* event) {
    fitIfStale();
    if (!m_ownLayout) {
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
    layout.draw(&painter, QPointF(box.left(), box.top() + m_firstLineTop));
}

} // namespace mivesk

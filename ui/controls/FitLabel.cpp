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

// The lines that `text` breaks into in `font` at `width`, as a label with
// word wrap breaks them.
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

// Whether `text` fits `width` in `font` on at most `lines` lines: no line
// wider than the width, measured by its advance and by its glyphs' ink.
bool fitsAcross(const QString& text, const QFont& font, qreal width, int lines) {
    const QStringList broken = wrappedLines(text, font, width);
    if (broken.size() > lines) {
        return false;
    }
    const QFontMetricsF metrics(font);
    for (const QString& line : broken) {
        const QRectF ink = metrics.boundingRect(line);
        const qreal left = std::min<qreal>(0, ink.left());
        const qreal right = std::max(metrics.horizontalAdvance(line), ink.right());
        if (right - left > width) {
            return false;
        }
    }
    return true;
}

// `font`, or where `text` in it would not fit `width` on `lines` lines, the
// same font at the widest stretch at which it does.
QFont condensedToFit(const QFont& font, const QString& text, qreal width, int lines = 1) {
    if (text.isEmpty() || fitsAcross(text, font, width, lines)) {
        return font;
    }
    // The widest stretch that fits: fitting only gets easier as the stretch
    // narrows, so halve the range until it is one step wide. Every stretch
    // tried costs a font of its own, so first try where advances, which
    // scale with the stretch, say the text just fits, and the step above:
    // for a line of text that is usually the answer.
    QFont fitted = font;
    const auto fitsAt = [&](int stretch) {
        fitted.setStretch(stretch);
        return fitsAcross(text, fitted, width, lines);
    };
    int fits = NarrowestStretch;
    int tooWide = 100;
    const qreal natural = QFontMetricsF(font).horizontalAdvance(text);
    if (natural > 0) {
        const int guess = std::clamp(int(100 * width * lines / natural), fits + 1, tooWide - 2);
        if (fitsAt(guess)) {
            fits = guess;
            if (!fitsAt(guess + 1)) {
                tooWide = guess + 1;
            } else {
                fits = guess + 1;
            }
        } else {
            tooWide = guess;
        }
    }
    while (tooWide - fits > 1) {
        const int middle = (fits + tooWide) / 2;
        (fitsAt(middle) ? fits : tooWide) = middle;
    }
    fitted.setStretch(fits);
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
    const QFont fitted = condensedToFit(button->font(), button->text(), room.width());
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
    const QFont fitted = condensedToFit(m_designFont, shown, box.width(), m_designedLines);
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
    QTextLayout layout(shown, fitted);
    layout.setTextOption(wrapOption(Qt::AlignLeft));
    const int lines = std::min(m_designedLines, layOut(layout, box.width(), 0));
    const QFontMetricsF metrics(fitted);
    qreal overshoot = 0;
    for (int i = 0; i < lines; ++i) {
        const QTextLine line = layout.lineAt(i);
        const QRectF ink =
            metrics.tightBoundingRect(shown.mid(line.textStart(), line.textLength()));
        overshoot = std::max(overshoot, -ink.top() - line.ascent());
    }
    m_firstLineTop = std::ceil(overshoot);
    const qreal lineHeight = lines > 0 ? layout.lineAt(0).height() : 0;
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

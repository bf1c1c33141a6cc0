#pragma once

#include <QFont>
#include <QLabel>

class QAbstractButton;

namespace mivesk {

// A label that always shows its whole text, on the number of lines it was
// designed for, inside its own rectangle. The stand-in fonts run wider and
// taller than the fonts the windows were laid out with, and some captions
// grow as the drill goes on ("32767門終了", "100%"). Where the text would not
// fit, the label draws it condensed (a narrower stretch of its font) and,
// for a text of several lines, with its lines closer together, each just
// enough, worked out from the font's own metrics whenever the text or the
// font changes. The label never moves, never resizes and never changes its
// font size; a text that fits is drawn exactly as a plain label draws it.
class FitLabel : public QLabel {
    Q_OBJECT
public:
    FitLabel(const QString& text, QWidget* parent, int designedLines = 1);

    // The new text is fitted before it is painted, also when it was set
    // through a QLabel* (QLabel::setText is not virtual).
    void setText(const QString& text);

    void setDesignedLines(int lines);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();
    // While a window is being built its labels get their font, rectangle
    // and line count one after another; each would call for a new fit, and
    // a fit lays the text out several times. So those changes only mark the
    // fit as stale, and it is worked out once, when the label is painted.
    void fitLater();
    void fitIfStale();

    int m_designedLines;
    QString m_fittedText; // the text the font and the layout are worked out for
    QFont m_designFont;
    qreal m_lineSpacing = 0;
    bool m_ownFont = false;   // the label sets its own font: not a new design
    qreal m_firstLineTop = 0; // below the top edge by this much
    bool m_ownLayout = false; // drawn otherwise than a plain label would
    bool m_stale = true;      // the font, rectangle or line count changed since the fit
};

// Condenses a check box's or option button's caption, as a FitLabel does,
// to the room its indicator leaves in the button's rectangle. Call once the
// button has its font, style and size.
void fitButtonCaption(QAbstractButton* button);

} // namespace mivesk

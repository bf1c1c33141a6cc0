#pragma once

#include <QFont>
#include <QLabel>

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

    // Hides QLabel::setText (not virtual): every caption the program
    // changes goes through here, so that it is fitted before it is drawn.
    void setText(const QString& text);

    int designedLines() const { return m_designedLines; }
    void setDesignedLines(int lines);
    // The distance between the tops of two lines as the label draws them.
    qreal lineSpacing() const { return m_lineSpacing; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();

    int m_designedLines;
    QFont m_designFont;
    qreal m_lineSpacing = 0;
    bool m_ownFont = false; // the label sets its own font: not a new design
    bool m_tighter = false; // lines drawn closer than the font's own spacing
};

// The lines that `text` breaks into in `font` at `width`, as a label with
// word wrap breaks them.
QStringList wrappedLines(const QString& text, const QFont& font, qreal width);

} // namespace mivesk

#pragma once

#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QTextDocument;

namespace mivesk {

// A multi-line text box that builds its editor only when it is first shown.
// Until then it holds its text in a plain text document with no layout: a
// QPlainTextEdit lays its document out as soon as it is built, which loads a
// font and shapes the text, a cost a box that is never shown need not pay.
// Once shown, the editor works on that same document, so the text reads the
// same before and after. Like the editor, the box takes the keyboard focus
// by tab and by click, and passes it to the editor once there is one.
class TextBoxControl : public QWidget {
    Q_OBJECT
public:
    explicit TextBoxControl(QWidget* parent);

    void setPlainText(const QString& text);
    // The text as the editor gives it back: line breaks as "\n".
    QString toPlainText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTextDocument* m_document;
    QPlainTextEdit* m_editor = nullptr;
};

} // namespace mivesk

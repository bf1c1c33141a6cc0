#include "TextBoxControl.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace mivesk {

TextBoxControl::TextBoxControl(QWidget* parent)
    : QWidget(parent), m_document(new QTextDocument(this)) {
    setFocusPolicy(Qt::StrongFocus);
}

void TextBoxControl::setPlainText(const QString& text) {
    if (m_editor) {
        m_editor->setPlainText(text);
    } else {
        m_document->setPlainText(text);
    }
}

QString TextBoxControl::toPlainText() const {
    return m_document->toPlainText();
}

void TextBoxControl::showEvent(QShowEvent* event) {
    if (!m_editor) {
        m_editor = new QPlainTextEdit(this);
        m_document->setDefaultFont(font());
        m_document->setDocumentLayout(new QPlainTextDocumentLayout(m_document));
        m_editor->setDocument(m_document);
        m_editor->setGeometry(rect());
        setFocusProxy(m_editor);
        m_editor->show();
    }
    QWidget::showEvent(event);
}

void TextBoxControl::resizeEvent(QResizeEvent* event) {
    if (m_editor) {
        m_editor->setGeometry(rect());
    }
    QWidget::resizeEvent(event);
}

} // namespace mivesk

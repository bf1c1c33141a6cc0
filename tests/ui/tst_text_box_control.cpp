// The text box that builds its editor when first shown: it must read and
// behave like a QPlainTextEdit whether or not it has been shown.

#include "Form1TestSupport.h"
#include "TextBoxControl.h"

#include <QPlainTextEdit>
#include <QTest>

using namespace mivesk;

// The editor the box has built, or nullptr before it has been shown.
static QPlainTextEdit* editorOf(const TextBoxControl& box) {
    return box.findChild<QPlainTextEdit*>();
}

class TextBoxControlTest : public QObject {
    Q_OBJECT

private slots:
    void textReadsAsAnEditorGivesItBack_data();
    void textReadsAsAnEditorGivesItBack();
    void showingBuildsTheEditorOverTheSameText();
    void takesTheFocusLikeAnEditor();
};

void TextBoxControlTest::textReadsAsAnEditorGivesItBack_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("CR LF at the end") << QStringLiteral("チェック用\r\n");
    QTest::newRow("a record number") << QStringLiteral("46");
    QTest::newRow("lone CR") << QStringLiteral("a\rb");
    QTest::newRow("empty lines") << QStringLiteral("a\r\n\r\nb\n");
    QTest::newRow("paragraph and line separators") << QStringLiteral("a\u2029b\u2028c");
    QTest::newRow("no-break space") << QStringLiteral("a\u00a0b");
    QTest::newRow("empty") << QString();
}

void TextBoxControlTest::textReadsAsAnEditorGivesItBack() {
    QFETCH(QString, text);
    QWidget window;
    QPlainTextEdit reference(&window);
    reference.setPlainText(text);

    TextBoxControl box(&window);
    box.setPlainText(QStringLiteral("something before"));
    box.setPlainText(text);
    QVERIFY(!editorOf(box));
    QCOMPARE(box.toPlainText(), reference.toPlainText());
}

void TextBoxControlTest::showingBuildsTheEditorOverTheSameText() {
    QWidget window;
    auto* box = new TextBoxControl(&window);
    box->setPlainText(QStringLiteral("チェック用\r\n"));
    test::showWithHidden(window, box, {10, 20, 60, 30});
    QVERIFY(!editorOf(*box));

    box->show();
    QPlainTextEdit* editor = editorOf(*box);
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->geometry(), QRect(0, 0, 60, 30));
    QCOMPARE(editor->toPlainText(), QStringLiteral("チェック用\n"));

    // Text set afterwards reaches the editor, and both read the same.
    box->setPlainText(QStringLiteral("12"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("12"));
    QCOMPARE(box->toPlainText(), QStringLiteral("12"));
    // What the user types is the box's text too.
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("3"));
    QCOMPARE(box->toPlainText(), editor->toPlainText());
    QCOMPARE(box->toPlainText().size(), 3);

    box->resize(80, 40);
    QCOMPARE(editor->size(), QSize(80, 40));
    // A second show builds nothing new.
    box->hide();
    box->show();
    QCOMPARE(editorOf(*box), editor);
}

void TextBoxControlTest::takesTheFocusLikeAnEditor() {
    QWidget window;
    QPlainTextEdit reference(&window);
    auto* box = new TextBoxControl(&window);
    QCOMPARE(box->focusPolicy(), reference.focusPolicy());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(editorOf(*box));
    QCOMPARE(box->focusProxy(), editorOf(*box));
    box->setFocus();
    QVERIFY(editorOf(*box)->hasFocus());
}

QTEST_MAIN(TextBoxControlTest)
#include "tst_text_box_control.moc"

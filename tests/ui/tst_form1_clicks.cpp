// Which control a click reaches on the main window, double clicks, the
// show-answer check box, and the buttons that leave the drill.

#include "Dialog.h"
#include "Form1TestSupport.h"
#include "frmAbout.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

using namespace mivesk;
using namespace mivesk::test;

class Form1ClicksTest : public QObject {
    Q_OBJECT
private slots:
    void incorrectMarkSwallowsClicksOnTheInputCell();
    void marksCoverTheTopOfTheCheckButton();
    void doubleClickCountsOnce();
    void answerCellAndLabelsTakeNoAction();
    void uncheckingShowAnswerCoversTheAnswerCell();
    void spaceTogglesShowAnswer();
    void endEndsTheProgram();
    void hintAndVersionOpenTheirWindows();
    void keysWorkAsClicks_data();
    void keysWorkAsClicks();
};

// Set, raise `dots` against あ (dot 1) and check.
static std::unique_ptr<Form1> showAnswered(std::initializer_list<const char*> dots) {
    auto window = showForm1();
    click(*window, "Im_Set");
    for (const char* dot : dots)
        click(*window, dot);
    click(*window, "Im_Check");
    return window;
}

void Form1ClicksTest::incorrectMarkSwallowsClicksOnTheInputCell() {
    // Dots 2, 3 and 4: two dots agree.
    const auto window = showAnswered({"ImTen_1", "ImTen_2", "ImTen_3"});
    QVERIFY(control(*window, "imgFuseikai")->isVisible());
    for (const char* dot : {"ImTen_0", "ImTen_1", "ImTen_4", "ImTen_5"})
        click(*window, dot);
    clickAt(*window, {208, 195});
    QCOMPARE(raisedDots(*window), QByteArray("011100"));

    // The mark ends 4 px above the bottom row's lower edge; there the dot
    // takes the click.
    clickAt(*window, {208, 196});
    QCOMPARE(raisedDots(*window), QByteArray("010100"));
    clickAt(*window, {160, 199});
    QCOMPARE(raisedDots(*window), QByteArray("010101"));
}

void Form1ClicksTest::marksCoverTheTopOfTheCheckButton() {
    const auto window = showAnswered({}); // nothing entered: almost
    QVERIFY(control(*window, "imgOsii")->isVisible());

    clickAt(*window, {140, 203});
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("1門終了"));
    clickAt(*window, {140, 206});
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("2門終了"));
}

void Form1ClicksTest::doubleClickCountsOnce() {
    const auto window = showForm1();
    click(*window, "Im_Set");

    doubleClickAt(*window, centreOf(*window, "ImTen_3"));
    QCOMPARE(pixelAt(*window, centreOf(*window, "ImTen_3")), Blue);

    doubleClickAt(*window, centreOf(*window, "Im_Check"));
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("1門終了"));

    doubleClickAt(*window, centreOf(*window, "Im_Next"));
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("い"));
}

void Form1ClicksTest::answerCellAndLabelsTakeNoAction() {
    const auto window = showForm1();
    click(*window, "Im_Set");
    const QImage before = window->grab().toImage();
    for (const char* name : {"ImTenKai_0", "ImTenKai_4", "Lb_Main", "lblRitsu", "lblCount",
                             "Label2", "Image3", "Shape3"})
        click(*window, name);
    QVERIFY(window->grab().toImage() == before);
}

static void expectAnswerCovered(Form1& window, bool covered) {
    const QRect cover = control(window, "ShpCover")->geometry();
    QCOMPARE(control(window, "ShpCover")->isVisible(), covered);
    QCOMPARE(pixelsOfColour(window, cover, HatchPink) > 300, covered);
    QCOMPARE(pixelAt(window, centreOf(window, "ImTenKai_0")) == Blue, !covered);
}

void Form1ClicksTest::uncheckingShowAnswerCoversTheAnswerCell() {
    const auto window = showAnswered({"ImTen_0"});
    expectAnswerCovered(*window, false);

    click(*window, "Check1");
    expectAnswerCovered(*window, true);
    // Covered questions still count.
    click(*window, "Im_Check");
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("2門終了"));

    click(*window, "Check1");
    expectAnswerCovered(*window, false);
}

void Form1ClicksTest::spaceTogglesShowAnswer() {
    const auto window = showAnswered({"ImTen_0"});
    auto* showAnswer = qobject_cast<QCheckBox*>(control(*window, "Check1"));
    showAnswer->setFocus(Qt::TabFocusReason);

    QTest::keyClick(showAnswer, Qt::Key_Space);
    QVERIFY(!showAnswer->isChecked());
    expectAnswerCovered(*window, true);
    QTest::keyClick(showAnswer, Qt::Key_Space);
    expectAnswerCovered(*window, false);
}

void Form1ClicksTest::endEndsTheProgram() {
    bool closed = false;
    const auto window = showForm1({0.0f}, &closed);
    click(*window, "Im_Set");
    click(*window, "Im_Hint");
    QVERIFY(hintWindow() && hintWindow()->isVisible());

    // End runs inside the program's event loop, as it does for a user.
    QTimer safety;
    safety.setSingleShot(true);
    connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(5000);
    QTimer::singleShot(0, window.get(), [&window] { click(*window, "Im_End"); });
    QCOMPARE(QCoreApplication::exec(), 0);
    safety.stop();

    QVERIFY(closed);
    QVERIFY(!window->isVisible());
    QVERIFY(!hintWindow() || !hintWindow()->isVisible());
    // Nothing runs after End, even if a click still arrives.
    const QString count = caption(*window, "lblCount");
    QMetaObject::invokeMethod(control(*window, "Im_Check"), "clicked");
    QCOMPARE(caption(*window, "lblCount"), count);
}

void Form1ClicksTest::hintAndVersionOpenTheirWindows() {
    const auto window = showForm1();
    click(*window, "Im_Hint");
    Dialog* hint = hintWindow();
    QVERIFY(hint && hint->isVisible());
    click(*window, "Im_Hint");
    QCOMPARE(hintWindow(), hint);
    hint->close();

    QString modalClass;
    QTimer::singleShot(0, [&modalClass] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalClass = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    click(*window, "Im_Version");
    QCOMPARE(modalClass, QStringLiteral("mivesk::frmAbout"));
}

void Form1ClicksTest::keysWorkAsClicks_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("kana");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("rate");
    // The raised dots of the input cell, by number.
    QTest::addColumn<QString>("dots");
    // The window that is open afterwards besides this one, or "ended".
    QTest::addColumn<QString>("open");

    // あ is dot 1 alone, い dots 1 and 2.
    QTest::newRow("before Set nothing answers") << "1 Num+2 Return N R"
                                                << "♪"
                                                << "0門終了"
                                                << "0%"
                                                << ""
                                                << "";
    QTest::newRow("S sets") << "S"
                            << "あ"
                            << "0門終了"
                            << "0%"
                            << ""
                            << "";
    QTest::newRow("digits by dot number") << "S 1 Num+4 6 6"
                                          << "あ"
                                          << "0門終了"
                                          << "0%"
                                          << "14"
                                          << "";
    QTest::newRow("Return checks") << "S 1 Return"
                                   << "あ"
                                   << "1門終了"
                                   << "100%"
                                   << "1"
                                   << "";
    QTest::newRow("keypad Enter checks") << "S Num+Enter"
                                         << "あ"
                                         << "1門終了"
                                         << "0%"
                                         << ""
                                         << "";
    QTest::newRow("held Return checks once") << "S 1 Return*"
                                             << "あ"
                                             << "1門終了"
                                             << "100%"
                                             << "1"
                                             << "";
    QTest::newRow("dot under a mark does nothing") << "S Return 1 Num+3"
                                                   << "あ"
                                                   << "1門終了"
                                                   << "0%"
                                                   << ""
                                                   << "";
    QTest::newRow("N next") << "S N 1 2"
                            << "い"
                            << "0門終了"
                            << "0%"
                            << "12"
                            << "";
    QTest::newRow("R resets") << "S 1 Return N R"
                              << "あ"
                              << "0門終了"
                              << "0%"
                              << ""
                              << "";
    QTest::newRow("H hint") << "S H"
                            << "あ"
                            << "0門終了"
                            << "0%"
                            << ""
                            << "hint";
    QTest::newRow("F1 hint, Escape closes") << "F1 Escape"
                                            << "♪"
                                            << "0門終了"
                                            << "0%"
                                            << ""
                                            << "";
    QTest::newRow("V about, Escape closes") << "V"
                                            << "♪"
                                            << "0門終了"
                                            << "0%"
                                            << ""
                                            << "about";
    QTest::newRow("Ctrl+Q ends") << "S Ctrl+Q"
                                 << "あ"
                                 << "0門終了"
                                 << "0%"
                                 << ""
                                 << "ended";
}

// Keys go through the window system, as a user's would, while the focus
// rests on the show-answer box; none of them may move it.
void Form1ClicksTest::keysWorkAsClicks() {
    QFETCH(QString, keys);
    bool closed = false;
    const auto window = showForm1({0.0f}, &closed);
    QWidget* focus = control(*window, "Check1");
    window->activateWindow();
    focus->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), focus);

    QString aboutSeen;
    QTimer::singleShot(0, [&aboutSeen] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            aboutSeen = QString::fromLatin1(modal->metaObject()->className());
            QTest::keyClick(modal->windowHandle(), Qt::Key_Escape);
        }
    });
    for (QString key : keys.split(QLatin1Char(' '))) {
        const bool held = key.endsWith(QLatin1Char('*'));
        key.remove(QLatin1Char('*'));
        const QKeyCombination combination = QKeySequence::fromString(key)[0];
        QTest::keyPress(window->windowHandle(), combination.key(), combination.keyboardModifiers());
        for (int repeat = 0; held && repeat < 3; ++repeat) {
            QTest::simulateEvent(focus, true, combination.key(), combination.keyboardModifiers(),
                                 QString(), true);
        }
        QTest::keyRelease(window->windowHandle(), combination.key(),
                          combination.keyboardModifiers());
    }

    QString dots;
    for (int i = 0; i < 6; ++i) {
        if (dotRaised(*window, QStringLiteral("ImTen_%1").arg(i)))
            dots += QString::number(i + 1);
    }
    QTEST(caption(*window, "Lb_Main"), "kana");
    QTEST(caption(*window, "lblCount"), "count");
    QTEST(caption(*window, "lblRitsu"), "rate");
    QTEST(dots, "dots");
    QString open;
    if (visibleHintWindows() > 0)
        open = QStringLiteral("hint");
    else if (aboutSeen == QLatin1String("mivesk::frmAbout"))
        open = QStringLiteral("about");
    else if (closed)
        open = QStringLiteral("ended");
    QTEST(open, "open");
    QCOMPARE(window->focusWidget(), focus);
    if (Dialog* hint = hintWindow())
        delete hint;
}

QTEST_MAIN(Form1ClicksTest)
#include "tst_form1_clicks.moc"

// A drill on the main window, driven by clicks and keys at the controls'
// places: Set, dots, Check, Next, Reset and the practice modes.

#include "Form1TestSupport.h"
#include "TextBoxControl.h"

using namespace mivesk;
using namespace mivesk::test;

class Form1DrillTest : public QObject {
    Q_OBJECT
private slots:
    void setShowsTheKanaAndRemovesTheWelcomePanel();
    void dotClickRaisesAndLowersTheDot();
    void checkShowsVerdictAnswerAndScore_data();
    void checkShowsVerdictAnswerAndScore();
    void nextGoesRoundTheRow();
    void nextHidesTheVerdictAndClearsTheCells();
    void resetZeroesTheScoreAndRestartsTheRow();
    void optionButtonsChooseTheModeByMouse();
    void arrowKeysMoveTheModeSelection();
    void clicksBeforeSetDoNothing();
};

void Form1DrillTest::setShowsTheKanaAndRemovesTheWelcomePanel() {
    const auto window = showForm1();
    click(*window, "Im_Set");

    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("あ"));
    QVERIFY(!control(*window, "Lb_First")->isVisible());
    QCOMPARE(pixelAt(*window, {150, 95}), White);
    // The cells and their headings can be seen now; the score is untouched.
    const QRect inputCell =
        control(*window, "ImTen_3")->geometry().united(control(*window, "ImTen_2")->geometry());
    QVERIFY(pixelsOfColour(*window, inputCell, QColor(152, 148, 152)) > 100);
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("0門終了"));
}

void Form1DrillTest::dotClickRaisesAndLowersTheDot() {
    const auto window = showForm1();
    click(*window, "Im_Set");
    const QPoint centre = centreOf(*window, "ImTen_4");

    click(*window, "ImTen_4");
    QCOMPARE(pixelAt(*window, centre), Blue);
    QVERIFY(dotRaised(*window, "ImTen_4"));
    QCOMPARE(pixelAt(*window, centreOf(*window, "ImTen_1")), White);

    click(*window, "ImTen_4");
    // Flat again: the ring's hole shows the window beneath.
    QCOMPARE(pixelAt(*window, centre), White);
    QCOMPARE(pixelAt(*window, centre - QPoint(6, 0)), QColor(152, 148, 152));
    QVERIFY(!dotRaised(*window, "ImTen_4"));
}

void Form1DrillTest::checkShowsVerdictAnswerAndScore_data() {
    QTest::addColumn<QStringList>("raised");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("rate");
    // あ is dot 1 alone: index 0.
    QTest::newRow("correct") << QStringList{"ImTen_0"} << "imgSeikai"
                             << "100%";
    QTest::newRow("almost, nothing entered") << QStringList{} << "imgOsii"
                                             << "0%";
    QTest::newRow("almost, one extra") << QStringList{"ImTen_0", "ImTen_5"} << "imgOsii"
                                       << "0%";
    QTest::newRow("incorrect") << QStringList{"ImTen_1", "ImTen_2", "ImTen_3"} << "imgFuseikai"
                               << "0%";
}

void Form1DrillTest::checkShowsVerdictAnswerAndScore() {
    QFETCH(QStringList, raised);
    QFETCH(QString, mark);
    QFETCH(QString, rate);
    const auto window = showForm1();
    click(*window, "Im_Set");
    for (const QString& dot : raised)
        click(*window, dot);

    click(*window, "Im_Check");

    for (const char* verdict : {"imgSeikai", "imgOsii", "imgFuseikai"})
        QCOMPARE(control(*window, verdict)->isVisible(), mark == QLatin1String(verdict));
    QCOMPARE(caption(*window, "lblRitsu"), rate);
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("1門終了"));
    // The answer cell holds あ, and the entered dots stay as they were.
    for (int i = 0; i < 6; ++i)
        QCOMPARE(dotRaised(*window, QStringLiteral("ImTenKai_%1").arg(i)), i == 0);
    // The cross's stroke hides most of that dot; the other marks leave
    // enough of it to see.
    if (mark != QLatin1String("imgFuseikai"))
        QVERIFY(pixelsOfColour(*window, control(*window, "ImTenKai_0")->geometry(), Blue) > 100);
    QCOMPARE(pixelsOfColour(*window, control(*window, "ImTenKai_1")->geometry(), Blue), 0);
    for (const QString& dot : raised)
        QVERIFY(dotRaised(*window, dot));
}

void Form1DrillTest::nextGoesRoundTheRow() {
    const auto window = showForm1();
    click(*window, "Im_Set");
    QStringList shown;
    for (int i = 0; i < 5; ++i) {
        click(*window, "Im_Next");
        shown << caption(*window, "Lb_Main");
    }
    QCOMPARE(shown, (QStringList{"い", "う", "え", "お", "あ"}));
    auto* record = qobject_cast<TextBoxControl*>(control(*window, "TexCheck"));
    QCOMPARE(record->toPlainText(), QStringLiteral("1"));
    QVERIFY(!record->isVisible());
}

void Form1DrillTest::nextHidesTheVerdictAndClearsTheCells() {
    const auto window = showForm1();
    click(*window, "Im_Set");
    click(*window, "ImTen_0");
    click(*window, "Im_Check");
    QVERIFY(control(*window, "imgSeikai")->isVisible());

    click(*window, "Im_Next");

    QVERIFY(!control(*window, "imgSeikai")->isVisible());
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("い"));
    QCOMPARE(pixelAt(*window, centreOf(*window, "ImTen_0")), White);
    QCOMPARE(pixelAt(*window, centreOf(*window, "ImTenKai_0")), White);
    QCOMPARE(caption(*window, "lblRitsu"), QStringLiteral("100%"));
}

void Form1DrillTest::resetZeroesTheScoreAndRestartsTheRow() {
    const auto window = showForm1();
    click(*window, "Option1_1");
    click(*window, "Im_Set");
    click(*window, "Im_Next");
    click(*window, "Im_Next");
    click(*window, "ImTen_3");
    click(*window, "Im_Check");
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("1門終了"));

    click(*window, "Im_Reset");

    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("か"));
    QCOMPARE(caption(*window, "lblRitsu"), QStringLiteral("0%"));
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("0門終了"));
    QVERIFY(!control(*window, "imgFuseikai")->isVisible());
    QVERIFY(!control(*window, "imgOsii")->isVisible());
    QCOMPARE(pixelAt(*window, centreOf(*window, "ImTen_3")), White);
    // The mode stays: Next goes on in the か row.
    click(*window, "Im_Next");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("き"));
}

void Form1DrillTest::optionButtonsChooseTheModeByMouse() {
    // r = 0.5 draws record floor(0.5 * 46 + 1) = 24, ね.
    const auto window = showForm1({0.5f});
    click(*window, "Im_Set");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("あ")); // whatever shows as selected

    click(*window, "Option1_5");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("あ")); // nothing until Set
    click(*window, "Im_Set");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("は"));

    click(*window, "Option1_11");
    click(*window, "Im_Set");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("ね"));

    click(*window, "Option1_10");
    click(*window, "Im_Set");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("あ"));
    click(*window, "Im_Next");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("い"));
}

void Form1DrillTest::arrowKeysMoveTheModeSelection() {
    const auto window = showForm1();
    click(*window, "Option1_1");
    QVERIFY(control(*window, "Option1_1")->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(control(*window, "Option1_2")->property("checked").toBool());
    click(*window, "Im_Set");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("さ"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QVERIFY(control(*window, "Option1_7")->property("checked").toBool());
    click(*window, "Im_Set");
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("や"));
}

void Form1DrillTest::clicksBeforeSetDoNothing() {
    const auto window = showForm1();
    const QImage before = window->grab().toImage();
    // Dots under the welcome text, one below it, and the buttons that need
    // a question.
    for (const char* name : {"ImTen_0", "ImTen_4", "Im_Check", "Im_Next", "Im_Reset"})
        click(*window, name);
    clickAt(*window, {208, 195});
    QVERIFY(window->grab().toImage() == before);
}

QTEST_MAIN(Form1DrillTest)
#include "tst_form1_drill.moc"

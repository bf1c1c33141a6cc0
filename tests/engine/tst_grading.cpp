// Dot entry, Check's verdict and counters, the cover, and the score texts.
#include "ScoreText.h"
#include "TestSupport.h"

#include <QTest>

#include <limits>

using namespace mivesk;
using test::startedEngine;

namespace {

// An engine whose record 1 has the given flags, with the あ row set.
std::unique_ptr<DrillEngine> engineWithFlags(const char (&flags)[7]) {
    auto engine = startedEngine(test::record("\x82\xa0", flags));
    engine->Im_Set_Click();
    return engine;
}

void enter(DrillEngine& engine, const char* dots) {
    for (int i = 0; dots[i] != 0; ++i) {
        if (dots[i] == '1') {
            engine.ImTen_Click(i);
        }
    }
}

} // namespace

class GradingTest : public QObject {
    Q_OBJECT
private slots:
    void dotClicksToggle() {
        auto engine = engineWithFlags("100000");
        engine->ImTen_Click(4);
        QCOMPARE(test::pictures(engine->view().ImTen), QByteArray("000010"));
        engine->ImTen_Click(4);
        QCOMPARE(test::pictures(engine->view().ImTen), QByteArray("000000"));
        engine->ImTen_Click(6); // no such dot
        engine->ImTen_Click(-1);
        QCOMPARE(test::pictures(engine->view().ImTen), QByteArray("000000"));
        QCOMPARE(test::pictures(engine->view().ImTenKai), QByteArray("000000"));
    }

    void verdictFollowsTheAgreeingDots_data() {
        QTest::addColumn<QByteArray>("entered");
        QTest::addColumn<bool>("correct");
        QTest::addColumn<bool>("almost");
        QTest::addColumn<bool>("incorrect");
        // The record's cell is 1-2-4 raised: "110100".
        QTest::newRow("all six agree") << QByteArray("110100") << true << false << false;
        QTest::newRow("five agree") << QByteArray("100100") << false << true << false;
        QTest::newRow("four agree") << QByteArray("000100") << false << true << false;
        QTest::newRow("three agree (flat dots)") << QByteArray("000000") << false << false << true;
        QTest::newRow("none agree") << QByteArray("001011") << false << false << true;
    }

    void verdictFollowsTheAgreeingDots() {
        QFETCH(QByteArray, entered);
        QFETCH(bool, correct);
        QFETCH(bool, almost);
        QFETCH(bool, incorrect);
        auto engine = engineWithFlags("110100");
        enter(*engine, entered.constData());
        engine->Im_Check_Click();
        QCOMPARE(engine->view().imgSeikai, correct);
        QCOMPARE(engine->view().imgOsii, almost);
        QCOMPARE(engine->view().imgFuseikai, incorrect);
        QCOMPARE(engine->view().lblRitsu, correct ? QStringLiteral("100%") : QStringLiteral("0%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("1門終了"));
        // The answer is shown beside the entry, which stays.
        QCOMPARE(test::pictures(engine->view().ImTenKai), QByteArray("110100"));
        QCOMPARE(test::pictures(engine->view().ImTen), entered);
    }

    void untouchedCellAgainstOneRaisedDotIsAlmost() {
        auto engine = engineWithFlags("100000");
        engine->Im_Check_Click();
        QVERIFY(engine->view().imgOsii);
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("0%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("1門終了"));
    }

    void oddFlagsNeverAgreeAndLeaveTheirPicture() {
        auto engine = engineWithFlags("1x0 10");
        enter(*engine, "100010");
        engine->Im_Check_Click();
        // Only four indices agree; the odd ones keep the cleared picture.
        QVERIFY(engine->view().imgOsii);
        QCOMPARE(test::pictures(engine->view().ImTenKai), QByteArray("100010"));

        // Raised in the entry or not, an odd flag never matches.
        auto lower = engineWithFlags("11111X");
        enter(*lower, "111111");
        lower->Im_Check_Click();
        QVERIFY(lower->view().imgOsii);
        enter(*lower, "000001"); // flat now: still no match
        lower->Im_Check_Click();
        QVERIFY(!lower->view().imgSeikai);
    }

    void checkingAgainCountsAgainAndKeepsEarlierMarks() {
        auto engine = engineWithFlags("100000");
        engine->Im_Check_Click(); // almost
        engine->ImTen_Click(0);
        engine->Im_Check_Click(); // correct
        QVERIFY(engine->view().imgOsii && engine->view().imgSeikai);
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("50%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("2門終了"));
    }

    void coverFollowsTheCheckBox() {
        auto engine = startedEngine(test::dataFileBytes());
        QVERIFY(!engine->view().ShpCover);
        engine->Check1_Click(0);
        QVERIFY(engine->view().ShpCover); // works before Set too
        engine->Check1_Click(2);          // grayed changes nothing
        QVERIFY(engine->view().ShpCover);
        engine->Check1_Click(1);
        QVERIFY(!engine->view().ShpCover);
        engine->Check1_Click(2);
        QVERIFY(!engine->view().ShpCover);
    }

    void countersStopAtTheirLimit() {
        auto engine = engineWithFlags("100000");
        engine->ImTen_Click(0);
        const qint16 limit = std::numeric_limits<qint16>::max();
        for (int i = 0; i < limit; ++i) {
            engine->Im_Check_Click();
        }
        QCOMPARE(engine->view().lblCount, QStringLiteral("32767門終了"));
        engine->ImTen_Click(0); // five dots agree now
        engine->Im_Check_Click();
        QVERIFY(engine->view().imgOsii); // still graded and shown, not counted
        QCOMPARE(engine->view().lblCount, QStringLiteral("32767門終了"));
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("100%"));
        engine->Im_Reset_Click();
        engine->Im_Check_Click();
        QCOMPARE(engine->view().lblCount, QStringLiteral("1門終了"));
    }

    void rateIsRoundedHalfAwayFromZero_data() {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("answered");
        QTest::addColumn<QString>("rate");
        QTest::newRow("none") << 0 << 0 << "0%";
        QTest::newRow("2 of 3") << 2 << 3 << "67%";
        QTest::newRow("1 of 3") << 1 << 3 << "33%";
        QTest::newRow("1 of 8") << 1 << 8 << "13%";
        QTest::newRow("1 of 40") << 1 << 40 << "3%";
        QTest::newRow("3 of 8") << 3 << 8 << "38%";
        QTest::newRow("1 of 200") << 1 << 200 << "1%";
        QTest::newRow("1 of 201") << 1 << 201 << "0%";
        QTest::newRow("all") << 32767 << 32767 << "100%";
        QTest::newRow("1 of the most") << 1 << 32767 << "0%";
    }

    void rateIsRoundedHalfAwayFromZero() {
        QFETCH(int, correct);
        QFETCH(int, answered);
        QFETCH(QString, rate);
        QCOMPARE(rateText(qint16(correct), qint16(answered)), rate);
        QCOMPARE(countText(qint16(answered)), QString::number(answered) + "門終了");
    }

    void scoreThroughTheDrill() {
        // 3 answers, 2 correct, read off the labels.
        auto engine = engineWithFlags("000000");
        engine->Im_Check_Click();
        engine->Im_Check_Click();
        engine->ImTen_Click(5);
        engine->Im_Check_Click();
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("67%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("3門終了"));
    }
};

QTEST_GUILESS_MAIN(GradingTest)
#include "tst_grading.moc"

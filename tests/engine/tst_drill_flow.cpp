// Start-up, practice modes, Set, Next, Reset and End.
#include "TestSupport.h"

#include <QTest>

using namespace mivesk;
using test::startedEngine;

namespace {

const QString kanaOrder = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねの"
                                         "はひふへほまみむめもやゆよらりるれろわをん");

QString kanaOf(int recordNo) {
    return kanaOrder.mid(recordNo - 1, 1);
}

} // namespace

class DrillFlowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsTheEmptyScoreAndWaitsForSet() {
        std::vector<int> reads;
        auto engine = startedEngine(test::dataFileBytes(), {0.0f}, &reads);
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("0%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("0門終了"));
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("♪"));
        QVERIFY(engine->view().Shp_first && engine->view().Lb_First && engine->view().Shp_FirstBak);
        QCOMPARE(engine->view().TexCheck, QStringLiteral("チェック用\r\n"));
        QVERIFY(reads.empty());
        engine->Im_Set_Click(); // mode 0, record 1
        QCOMPARE(reads, std::vector<int>{1});
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("あ"));
    }

    void setAppliesTheChosenModesRange_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        const int ends[] = {5, 10, 15, 20, 25, 30, 35, 38, 43, 46, 46};
        const int starts[] = {1, 6, 11, 16, 21, 26, 31, 36, 39, 44, 1};
        for (int mode = 0; mode <= 10; ++mode) {
            QTest::addRow("mode %d", mode) << mode << starts[mode] << ends[mode];
        }
    }

    void setAppliesTheChosenModesRange() {
        QFETCH(int, mode);
        QFETCH(int, start);
        QFETCH(int, end);
        std::vector<int> reads;
        auto engine = startedEngine(test::dataFileBytes(), {0.0f}, &reads);
        engine->Option1_Click(mode);
        engine->Im_Set_Click();
        QCOMPARE(reads, std::vector<int>{start});
        QCOMPARE(engine->view().Lb_Main, kanaOf(start));
        QVERIFY(!engine->view().Shp_first && !engine->view().Lb_First &&
                !engine->view().Shp_FirstBak);
        // Both cells cleared to flat: a click now raises a dot.
        QCOMPARE(test::pictures(engine->view().ImTenKai), QByteArray("000000"));
        engine->ImTen_Click(5);
        QCOMPARE(test::pictures(engine->view().ImTen), QByteArray("000001"));

        // Every Next stays inside the range and comes back to its start.
        for (int n = start + 1; n <= end; ++n) {
            engine->Im_Next_Click();
            QCOMPARE(engine->view().Lb_Main, kanaOf(n));
            QCOMPARE(engine->view().TexCheck, QString::number(n));
        }
        engine->Im_Next_Click();
        QCOMPARE(engine->view().TexCheck, QString::number(start));
        QCOMPARE(engine->view().Lb_Main, kanaOf(start));
        QCOMPARE(reads.back(), start);
    }

    void modeTakesEffectOnlyAtSet() {
        auto engine = startedEngine(test::dataFileBytes());
        engine->Im_Set_Click(); // nothing chosen: the あ row
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("あ"));
        engine->Option1_Click(3);
        engine->Im_Next_Click();
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("い"));
        engine->Option1_Click(12); // no such button
        engine->Option1_Click(-1);
        engine->Im_Set_Click();
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("た"));
    }

    void wrapReadsPastTheRangeButNeverLowersTheCount() {
        std::vector<int> reads;
        auto engine = startedEngine(test::dataFileBytes(), {0.0f}, &reads);
        engine->Option1_Click(10);
        engine->Im_Set_Click();
        for (int i = 0; i < 45; ++i) {
            engine->Im_Next_Click();
        }
        engine->Im_Check_Click();
        reads.clear();
        engine->Im_Next_Click(); // from ん
        QCOMPARE(reads, (std::vector<int>{47, 1}));
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("あ"));
        QCOMPARE(engine->view().TexCheck, QStringLiteral("1"));

        // Going round the table and a row many times without answering
        // keeps the count.
        engine->Option1_Click(0);
        engine->Im_Set_Click();
        for (int i = 0; i < 22; ++i) {
            engine->Im_Next_Click();
        }
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("う"));
        engine->Im_Check_Click();
        QCOMPARE(engine->view().lblCount, QStringLiteral("2門終了"));
    }

    void nextAndSetHideTheVerdictAndClearTheCells() {
        auto engine = startedEngine(test::dataFileBytes());
        engine->Im_Set_Click();
        engine->ImTen_Click(0);
        engine->Im_Check_Click();
        QVERIFY(engine->view().imgSeikai);
        engine->Im_Next_Click();
        QVERIFY(!engine->view().imgSeikai);
        QCOMPARE(test::pictures(engine->view().ImTen), QByteArray("000000"));
        QCOMPARE(test::pictures(engine->view().ImTenKai), QByteArray("000000"));

        engine->Im_Check_Click();
        QVERIFY(engine->view().imgOsii);
        engine->Im_Set_Click();
        QVERIFY(!engine->view().imgOsii);
        QCOMPARE(engine->view().lblCount, QStringLiteral("2門終了")); // Set leaves the score alone
    }

    void randomModeDrawsFromAllRecords() {
        std::vector<int> reads;
        auto engine = startedEngine(test::dataFileBytes(), {0.0f, 0.5f, 0.5f, 0.99999994f}, &reads);
        engine->Option1_Click(11);
        engine->Im_Set_Click();
        QCOMPARE(reads.back(), 1);
        engine->Im_Next_Click();
        QCOMPARE(reads.back(), 24); // floor(0.5 * 46 + 1)
        engine->Im_Next_Click();
        QCOMPARE(reads.back(), 24); // repeats are allowed
        QCOMPARE(engine->view().TexCheck, QStringLiteral("24"));
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("ね"));
        engine->Im_Reset_Click();
        QCOMPARE(reads.back(), 46);
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("ん"));
        for (int n : reads) {
            QVERIFY(n >= 1 && n <= 46); // random questions never wrap
        }

        // Back to a row: ordered again.
        engine->Option1_Click(9);
        engine->Im_Set_Click();
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("わ"));
        engine->Im_Next_Click();
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("を"));
    }

    void resetZeroesTheScoreAndRestartsTheMode() {
        auto engine = startedEngine(test::dataFileBytes());
        engine->Option1_Click(8);
        engine->Im_Set_Click();
        engine->Im_Next_Click();
        engine->Im_Next_Click();
        engine->ImTen_Click(2);
        engine->Im_Check_Click();
        const QString texCheck = engine->view().TexCheck;
        engine->Im_Reset_Click();
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("ら"));
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("0%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("0門終了"));
        QVERIFY(!engine->view().imgFuseikai && !engine->view().imgOsii);
        QCOMPARE(test::pictures(engine->view().ImTen), QByteArray("000000"));
        QCOMPARE(engine->view().TexCheck, texCheck); // Reset does not write it
        // A correct answer now counts fully: the old score is gone.
        engine->ImTen_Click(0);
        engine->ImTen_Click(4);
        engine->Im_Check_Click();
        QCOMPARE(engine->view().lblRitsu, QStringLiteral("100%"));
        QCOMPARE(engine->view().lblCount, QStringLiteral("1門終了"));
        engine->Im_Set_Click(); // the mode is still ら
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("ら"));
    }

    void beforeSetNothingButModeChoiceHappens() {
        std::vector<int> reads;
        auto engine = startedEngine(test::dataFileBytes(), {0.0f}, &reads);
        const MainWindowView before = engine->view();
        engine->Im_Check_Click();
        engine->Im_Next_Click();
        engine->Im_Reset_Click();
        for (int i = 0; i < 6; ++i) {
            engine->ImTen_Click(i);
        }
        engine->Option1_Click(4);
        QVERIFY(reads.empty());
        QVERIFY(engine->view() == before);
        engine->Im_Set_Click();
        QCOMPARE(engine->view().Lb_Main, QStringLiteral("な"));
    }

    void endClosesTheDictionary() {
        bool closed = false;
        auto engine = startedEngine(test::dataFileBytes(), {0.0f}, nullptr, &closed);
        engine->Im_Set_Click();
        QVERIFY(!closed);
        engine->Im_End_Click();
        QVERIFY(closed);
        engine->Im_End_Click();  // a second End is harmless
        engine->Im_Next_Click(); // and nothing is read from a closed file
        QVERIFY(engine->view().Lb_Main.isEmpty());
    }
};

QTEST_GUILESS_MAIN(DrillFlowTest)
#include "tst_drill_flow.moc"

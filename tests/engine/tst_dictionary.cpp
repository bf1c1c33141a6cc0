// The committed data file and the reader that turns its bytes into kana and
// dot flags.
#include "DataFileCheck.h"
#include "KanaDictionary.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <set>

using namespace mivesk;

namespace {

using Dots = std::set<int>;

// The あ row, from which every other row is built.
const Dots vowelCells[5] = {{1}, {1, 2}, {1, 4}, {1, 2, 4}, {2, 4}};

Dots withAdded(const Dots& cell, const Dots& added) {
    Dots result = cell;
    result.insert(added.begin(), added.end());
    return result;
}

// Moves a cell's dots down both columns until they reach the bottom row.
Dots slidDown(const Dots& cell) {
    Dots result = cell;
    while (!result.contains(3) && !result.contains(6)) {
        Dots moved;
        for (int dot : result) {
            moved.insert(dot + 1);
        }
        result = moved;
    }
    return result;
}

struct Expected {
    QString kana;
    Dots dots;
};

// The 46 cells as the hint window teaches them: each row adds dots to the
// あ row, the や and わ rows slide it down, and ん stands alone.
std::vector<Expected> cellsFromRowRules() {
    const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねの"
                                        "はひふへほまみむめもやゆよらりるれろわをん");
    std::vector<Expected> cells;
    auto addRow = [&](const Dots& added) {
        for (const Dots& vowel : vowelCells) {
            cells.push_back({kana.at(qsizetype(cells.size())), withAdded(vowel, added)});
        }
    };
    addRow({});        // あ
    addRow({6});       // か
    addRow({5, 6});    // さ
    addRow({5, 3});    // た
    addRow({3});       // な
    addRow({3, 6});    // は
    addRow({3, 5, 6}); // ま
    for (int vowel : {0, 2, 4}) {
        cells.push_back(
            {kana.at(qsizetype(cells.size())), withAdded(slidDown(vowelCells[vowel]), {4})});
    }
    addRow({5}); // ら
    for (int vowel : {0, 4}) {
        cells.push_back({kana.at(qsizetype(cells.size())), slidDown(vowelCells[vowel])});
    }
    cells.push_back({kana.at(45), {3, 5, 6}}); // ん
    return cells;
}

} // namespace

class DictionaryTest : public QObject {
    Q_OBJECT
private slots:
    void dataFileHoldsTheCellsTheRowRulesBuild() {
        const QByteArray bytes = test::dataFileBytes();
        QCOMPARE(bytes.size(), 46 * 8);
        QVERIFY2(bytes.startsWith("\x82\xa0"), "record 1 is あ in Shift-JIS");

        KanaDictionary dictionary(test::checkedDictionary(bytes));
        const auto expected = cellsFromRowRules();
        QCOMPARE(expected.size(), size_t(46));
        for (int n = 1; n <= 46; ++n) {
            dictionary.read(n);
            const Expected& cell = expected[size_t(n - 1)];
            QCOMPARE(dictionary.record().kanaText(), cell.kana);
            for (int k = 1; k <= 6; ++k) {
                const QString flag = cell.dots.contains(k) ? "1" : "0";
                QVERIFY2(dictionary.record().dotText(k) == flag,
                         qPrintable(QStringLiteral("%1 dot %2").arg(cell.kana).arg(k)));
            }
        }
    }

    void rowsStartAndEndWhereTheModesExpect() {
        KanaDictionary dictionary(test::checkedDictionary(test::dataFileBytes()));
        const std::pair<int, QString> rowEdges[] = {
            {1, "あ"},  {5, "お"},  {6, "か"},  {10, "こ"}, {11, "さ"}, {15, "そ"}, {16, "た"},
            {20, "と"}, {21, "な"}, {25, "の"}, {26, "は"}, {30, "ほ"}, {31, "ま"}, {35, "も"},
            {36, "や"}, {38, "よ"}, {39, "ら"}, {43, "ろ"}, {44, "わ"}, {46, "ん"}};
        for (const auto& [n, kana] : rowEdges) {
            dictionary.read(n);
            QCOMPARE(dictionary.record().kanaText(), kana);
        }
    }

    void recordsOutsideTheFileReadAsBlank() {
        KanaDictionary dictionary(test::checkedDictionary(test::dataFileBytes()));
        for (int n : {47, 0, -1, 32767, -32768}) {
            dictionary.read(1);
            dictionary.read(n);
            QVERIFY(dictionary.record().kanaText().isEmpty());
            for (int k = 1; k <= 6; ++k) {
                QVERIFY(dictionary.record().dotText(k).isEmpty());
            }
        }
    }

    void cutOffRecordReadsBlank() {
        // Record 2 is cut after its kana and first flag.
        const QByteArray bytes = test::record("\x82\xa0", "100000") + QByteArray("\x82\xa2"
                                                                                 "1",
                                                                                 3);
        KanaDictionary dictionary(test::checkedDictionary(bytes));
        dictionary.read(2);
        QVERIFY(dictionary.record().kanaText().isEmpty());
        QVERIFY(dictionary.record().dotText(1).isEmpty());
        dictionary.read(1);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("あ"));

        // A file cut inside the kana gives no half kana.
        KanaDictionary halfKana(test::checkedDictionary(QByteArray("\x82", 1)));
        halfKana.read(1);
        QVERIFY(halfKana.record().kanaText().isEmpty());
    }

    void garbledBytesNeverFail() {
        const QByteArray bytes = test::record("\x82\x20", "1x\xb1 0\x82") // bad trail byte
                                 + test::record("\xff\xff", "000000")     // no such character
                                 + test::record("AB", "111111");          // single-byte text
        KanaDictionary dictionary(test::checkedDictionary(bytes));
        dictionary.read(1);
        QVERIFY(dictionary.record().kanaText().contains(QChar::ReplacementCharacter));
        QCOMPARE(dictionary.record().dotText(2), QStringLiteral("x"));
        QCOMPARE(dictionary.record().dotText(3), QStringLiteral("ｱ")); // half-width katakana
        QCOMPARE(dictionary.record().dotText(4), QStringLiteral(" "));
        QCOMPARE(dictionary.record().dotText(6), QString(QChar::ReplacementCharacter));
        dictionary.read(2);
        QVERIFY(dictionary.record().kanaText().contains(QChar::ReplacementCharacter));
        dictionary.read(3);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("AB"));
    }

    void fileSourceReadsRecordsAndNothingPastTheEnd() {
        const QByteArray bytes = test::dataFileBytes().left(46 * 8 - 3);
        KanaDictionary dictionary(test::checkedDictionary(bytes));
        dictionary.read(46); // three bytes short: no record
        QVERIFY(dictionary.record().kanaText().isEmpty());
        QVERIFY(dictionary.record().dotText(3).isEmpty());
        dictionary.read(47);
        QVERIFY(dictionary.record().kanaText().isEmpty());
        dictionary.read(7);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("き"));

        dictionary.close();
        dictionary.read(7); // after End nothing is read, and nothing breaks
        QVERIFY(dictionary.record().kanaText().isEmpty());
    }

    void extraBytesPastTheLastKanaAreIgnored() {
        const QByteArray bytes = test::dataFileBytes() + test::record("\x82\xa0", "111111");
        KanaDictionary dictionary(test::checkedDictionary(bytes));
        dictionary.read(47);
        QVERIFY(dictionary.record().kanaText().isEmpty());
        dictionary.read(46);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("ん"));
    }

    void missingOrEmptyFiles() {
        QTemporaryDir dir;
        const QString absent = dir.filePath(QStringLiteral("absent.dat"));
        const DataFileCheck missing = checkDataFile(test::placesAt({absent}));
        QVERIFY(!missing.dictionary);
        QVERIFY(!missing.problem.isEmpty());
        QVERIFY(!QFile::exists(absent));

        KanaDictionary dictionary(test::checkedDictionary(QByteArray()));
        dictionary.read(1);
        QVERIFY(dictionary.record().kanaText().isEmpty());
    }

    // Every question reads its record from the file as it is at that
    // moment: a record rewritten during the run is graded as now written,
    // and a file cut short gives blank records, never the end of the run.
    void fileChangedDuringTheRun_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("incorrect");
        QByteArray twos = test::dataFileBytes();
        twos.replace(2, 6, "222222");
        // Dot 1 raised against a "2": no dot can agree, and none is drawn.
        QTest::newRow("record rewritten with 2 dots")
            << twos << QStringLiteral("あ") << QByteArray("000000") << true;
        QTest::newRow("file emptied") << QByteArray() << QString() << QByteArray("000000") << true;
    }
    void fileChangedDuringTheRun() {
        QFETCH(QByteArray, written);
        QFETCH(QString, kana);
        QFETCH(QByteArray, answer);
        QFETCH(bool, incorrect);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("50on_dic.dat"));
        std::vector<int> reads;
        DrillEngine engine(std::make_unique<test::RecordingSource>(
                               test::checkedDictionary(test::dataFileBytes(), path), &reads),
                           std::make_unique<test::ScriptedRandom>(std::vector<float>{0.0f}));
        engine.Form_Load();
        engine.Im_Set_Click();
        QCOMPARE(engine.view().Lb_Main, QStringLiteral("あ"));

        // Rewritten in place, as an editor that keeps the file would.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
        QCOMPARE(file.write(written), written.size());
        file.close();

        engine.Im_Next_Click();
        engine.Im_Reset_Click();
        QCOMPARE(engine.view().Lb_Main, kana);
        engine.ImTen_Click(0);
        engine.Im_Check_Click();
        QCOMPARE(test::pictures(engine.view().ImTenKai), answer);
        QCOMPARE(engine.view().imgFuseikai, incorrect);
        // What a screen reader is told agrees with the mark.
        QCOMPARE(engine.view().lastVerdict == Verdict::Incorrect, incorrect);
        QCOMPARE(engine.view().lblCount, QStringLiteral("1門終了"));
        QCOMPARE(engine.view().lblRitsu, QStringLiteral("0%"));
        QCOMPARE(reads, (std::vector<int>{1, 2, 1, 1}));
    }
};

QTEST_GUILESS_MAIN(DictionaryTest)
#include "tst_dictionary.moc"

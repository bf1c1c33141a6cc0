// The committed data file and the reader that turns its bytes into kana and
// dot flags.
#include "FileDictionarySource.h"
#include "KanaDictionary.h"
#include "TestSupport.h"

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

QByteArray writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("50on_dic.dat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the test file");
    }
    return path.toLocal8Bit();
}

} // namespace

class DictionaryTest : public QObject {
    Q_OBJECT
private slots:
    void dataFileHoldsTheCellsTheRowRulesBuild() {
        const QByteArray bytes = test::dataFileBytes();
        QCOMPARE(bytes.size(), 46 * 8);
        QVERIFY2(bytes.startsWith("\x82\xa0"), "record 1 is あ in Shift-JIS");

        KanaDictionary dictionary(std::make_unique<MemoryDictionarySource>(bytes));
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
        KanaDictionary dictionary(std::make_unique<MemoryDictionarySource>(test::dataFileBytes()));
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
        KanaDictionary dictionary(std::make_unique<MemoryDictionarySource>(test::dataFileBytes()));
        for (int n : {47, 0, -1, 32767, -32768}) {
            dictionary.read(1);
            dictionary.read(n);
            QVERIFY(dictionary.record().kanaText().isEmpty());
            for (int k = 1; k <= 6; ++k) {
                QVERIFY(dictionary.record().dotText(k).isEmpty());
            }
        }
    }

    void cutOffLastRecordKeepsTheBytesItHas() {
        // Record 2 is cut after its kana and first flag.
        const QByteArray bytes = test::record("\x82\xa0", "100000") + QByteArray("\x82\xa2"
                                                                                 "1",
                                                                                 3);
        KanaDictionary dictionary(std::make_unique<MemoryDictionarySource>(bytes));
        dictionary.read(2);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("い"));
        QCOMPARE(dictionary.record().dotText(1), QStringLiteral("1"));
        QVERIFY(dictionary.record().dotText(2).isEmpty());

        // A file cut inside the kana leaves a lone lead byte.
        KanaDictionary halfKana(std::make_unique<MemoryDictionarySource>(QByteArray("\x82", 1)));
        halfKana.read(1);
        QCOMPARE(halfKana.record().kanaText(), QString(QChar::ReplacementCharacter));
    }

    void garbledBytesNeverFail() {
        const QByteArray bytes = test::record("\x82\x20", "1x\xb1 0\x82") // bad trail byte
                                 + test::record("\xff\xff", "000000")     // no such character
                                 + test::record("AB", "111111");          // single-byte text
        KanaDictionary dictionary(std::make_unique<MemoryDictionarySource>(bytes));
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
        QTemporaryDir dir;
        const QByteArray bytes = test::dataFileBytes().left(46 * 8 - 3);
        auto source = std::make_unique<FileDictionarySource>(writeFile(dir, bytes));
        QVERIFY(source->open());
        KanaDictionary dictionary(std::move(source));
        dictionary.read(46);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("ん"));
        QCOMPARE(dictionary.record().dotText(3), QStringLiteral("1"));
        QVERIFY(dictionary.record().dotText(4).isEmpty());
        dictionary.read(47);
        QVERIFY(dictionary.record().kanaText().isEmpty());
        dictionary.read(7);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("き"));

        dictionary.close();
        QVERIFY(!dictionary.isOpen());
        dictionary.read(7); // after End nothing is read, and nothing breaks
        QVERIFY(dictionary.record().kanaText().isEmpty());
    }

    void extraBytesPastTheLastKanaAreIgnored() {
        QTemporaryDir dir;
        const QByteArray bytes = test::dataFileBytes() + test::record("\x82\xa0", "111111");
        auto source = std::make_unique<FileDictionarySource>(writeFile(dir, bytes));
        QVERIFY(source->open());
        KanaDictionary dictionary(std::move(source));
        dictionary.read(47);
        QVERIFY(dictionary.record().kanaText().isEmpty());
        dictionary.read(46);
        QCOMPARE(dictionary.record().kanaText(), QStringLiteral("ん"));
    }

    void missingOrEmptyFiles() {
        QTemporaryDir dir;
        FileDictionarySource missing(dir.filePath(QStringLiteral("absent.dat")));
        QVERIFY(!missing.open());
        QVERIFY(!missing.errorString().isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("absent.dat"))));

        auto empty = std::make_unique<FileDictionarySource>(writeFile(dir, QByteArray()));
        QVERIFY(empty->open());
        KanaDictionary dictionary(std::move(empty));
        dictionary.read(1);
        QVERIFY(dictionary.record().kanaText().isEmpty());
    }
};

QTEST_GUILESS_MAIN(DictionaryTest)
#include "tst_dictionary.moc"

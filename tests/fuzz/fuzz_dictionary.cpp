// Arbitrary bytes as the kana dictionary. The input is the dictionary; read
// from its last byte backwards it is also the script of what the user does,
// so every input, the real data file included, drives a whole drill.
//
// Each input is read record by record, past both ends, through the memory
// source and through the file source (a temporary file), which must agree
// on the 46 records the file source keeps; every record is decoded; and two drills, one on each
// source, run the same script in step and must show the same window after every operation.

#include "DataFileCheck.h"
#include "DictionarySource.h"
#include "DrillEngine.h"
#include "FileDictionarySource.h"
#include "KanaRecord.h"
#include "ScoreText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <unistd.h>

namespace {

using mivesk::DotPicture;
using mivesk::DrillEngine;
using mivesk::KanaRecord;

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_dictionary: %s\n", what);
        std::abort();
    }
}

// The user's actions, taken from the input's tail towards its head; zeros
// once it is used up.
class Script {
public:
    Script(const uint8_t* data, size_t size) : m_data(data), m_left(size) {}
    bool done() const { return m_left == 0; }
    uint8_t next() { return m_left == 0 ? 0 : m_data[--m_left]; }

private:
    const uint8_t* m_data;
    size_t m_left;
};

// Random numbers from the input's head onwards, including the extremes
// 0 and the largest float below 1.
class BytesRandom final : public mivesk::RandomSource {
public:
    BytesRandom(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    void seedFromClock() override {}
    float next() override {
        const uint8_t byte = m_size == 0 ? 0 : m_data[m_at++ % m_size];
        if (byte == 0xFF) {
            return std::nextafter(1.0f, 0.0f);
        }
        return float(byte) / 255.0f;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// A file source over `bytes`, read the way the program reads its
// dictionary: checked and read through one descriptor by the start-up
// check, which must accept the file exactly when it holds the 46 records.
// A shorter file, which the program refuses, is read through the plain file
// reader so that its records are fuzzed too. The file is removed as soon as
// it is open, so nothing is left behind however the run ends.
std::unique_ptr<mivesk::FileDictionarySource> fileSource(const QByteArray& bytes) {
    static const QString path = QDir::temp().absoluteFilePath(
        QStringLiteral("fuzz_dictionary_%1.dat").arg(qint64(::getpid())));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the scratch file");
    require(file.write(bytes) == bytes.size(), "short write of the scratch file");
    file.close();
    mivesk::DataFileCheck check = mivesk::checkDataFile(QStringList{path});
    const bool whole = bytes.size() >= mivesk::DataFileMinimumSize;
    require(bool(check.dictionary) == whole, "the start-up check judged the file's size wrongly");
    require(check.problem.isEmpty() == whole, "the start-up check's message disagrees with it");
    std::unique_ptr<mivesk::FileDictionarySource> source = std::move(check.dictionary);
    if (!source) {
        source = std::make_unique<mivesk::FileDictionarySource>(path);
        require(source->open(), "cannot open the scratch file");
    }
    QFile::remove(path);
    return source;
}

void checkRecordText(const KanaRecord& record) {
    const QString kana = record.kanaText();
    require(kana.size() <= 2, "a two-byte kana decoded to more than two characters");
    for (const QChar c : kana) {
        require(c != QChar(0x1A), "a substitute character leaked out of the decoder");
    }
    for (int k = 0; k <= KanaRecord::DotCount + 1; ++k) {
        const QString dot = record.dotText(k);
        require(dot.size() <= 1, "a dot flag is more than one character");
        if (k < 1 || k > KanaRecord::DotCount) {
            require(dot.isEmpty(), "a dot flag outside 1 to 6 is not empty");
        }
    }
}

constexpr qsizetype fileBytesKept = qsizetype(DrillEngine::KanaCount) * KanaRecord::Size;

// Every record from before the first to well past the last, with buffer
// sizes around a record's, through both sources.
void readEverything(const QByteArray& bytes, mivesk::DictionarySource& memory,
                    mivesk::DictionarySource& file) {
    const int records = int(bytes.size() / KanaRecord::Size);
    std::array<char, 2 * KanaRecord::Size> a{};
    std::array<char, 2 * KanaRecord::Size> b{};
    for (int n = -2; n <= records + 3; ++n) {
        for (int size : {0, 1, KanaRecord::Size - 1, KanaRecord::Size, int(a.size())}) {
            a.fill('\x55');
            b.fill('\x55');
            const int fromMemory = memory.readRecord(n, a.data(), size);
            const int fromFile = file.readRecord(n, b.data(), size);
            const qsizetype offset = qsizetype(n - 1) * KanaRecord::Size;
            const qsizetype expected =
                n < 1 ? 0 : std::clamp<qsizetype>(bytes.size() - offset, 0, size);
            // The file source keeps the 46 records and nothing after them.
            const qsizetype kept = std::min<qsizetype>(bytes.size(), fileBytesKept);
            const qsizetype expectedFromFile =
                n < 1 ? 0 : std::clamp<qsizetype>(kept - offset, 0, size);
            require(fromMemory == expected, "memory source returned the wrong count");
            require(fromFile == expectedFromFile, "file source returned the wrong count");
            require(std::memcmp(a.data(), b.data(), size_t(expectedFromFile)) == 0,
                    "the two sources disagree");
            if (expected > 0) {
                require(std::memcmp(a.data(), bytes.constData() + offset, size_t(expected)) == 0,
                        "a record does not hold the file's bytes");
            }
            KanaRecord record;
            record.assign(a.data(), std::min(fromMemory, KanaRecord::Size));
            checkRecordText(record);
        }
    }
}

void checkDrill(const DrillEngine& engine) {
    const mivesk::MainWindowView& view = engine.view();
    require(view.lblCount == mivesk::countText(engine.AnsweredCount()), "count label is stale");
    require(view.lblRitsu == mivesk::rateText(engine.CorrectCount(), engine.AnsweredCount()),
            "rate label is stale");
    bool numeric = false;
    const int rate = view.lblRitsu.chopped(1).toInt(&numeric);
    require(view.lblRitsu.endsWith(u'%') && numeric && rate >= 0 && rate <= 100,
            "rate label is not 0% to 100%");
    require(engine.AnsweredCount() >= 0 && engine.CorrectCount() >= 0 && engine.MissCount() >= 0,
            "a counter went negative");
    require(engine.CorrectCount() + engine.MissCount() == engine.AnsweredCount(),
            "the counters do not add up");
    require(view.Lb_Main.size() <= 2, "the kana label holds more than one kana");
    if (engine.hasQuestion()) {
        const qint16 q = engine.QuestionNo();
        if (engine.IsRandom()) {
            require(q >= 1 && q <= DrillEngine::KanaCount, "a random draw left 1 to 46");
        } else {
            require(q >= engine.RangeStart() && q <= engine.RangeEnd(), "question left its range");
        }
        for (size_t i = 0; i < 6; ++i) {
            const QString& dot = engine.InputDots()[i];
            require(dot == QLatin1String("0") || dot == QLatin1String("1"),
                    "an entered dot is neither 0 nor 1");
            require((view.ImTen[i] == DotPicture::On) == (dot == QLatin1String("1")),
                    "an entered dot's picture disagrees with its flag");
        }
    }
}

// One engine operation, on both drills.
template <typename... Args>
void both(DrillEngine& a, DrillEngine& b, void (DrillEngine::*operation)(Args...), Args... args) {
    (a.*operation)(args...);
    (b.*operation)(args...);
}

// One operation chosen by the script, on both drills. Out-of-range indices
// and values come too.
void step(Script& script, DrillEngine& a, DrillEngine& b) {
    const uint8_t op = script.next();
    switch (op % 9) {
    case 0:
        both(a, b, &DrillEngine::Option1_Click, int(script.next() % 15) - 1);
        break;
    case 1:
        both(a, b, &DrillEngine::Im_Set_Click);
        break;
    case 2:
        both(a, b, &DrillEngine::Im_Next_Click);
        break;
    case 3:
        both(a, b, &DrillEngine::Im_Reset_Click);
        break;
    case 4:
    case 5:
        both(a, b, &DrillEngine::ImTen_Click, int(script.next() % 8) - 1);
        break;
    case 6:
        both(a, b, &DrillEngine::Im_Check_Click);
        break;
    case 7:
        both(a, b, &DrillEngine::Check1_Click, int(script.next() % 4) - 1);
        break;
    case 8:
        // End is rare: after it nothing reads the dictionary any more.
        if (op == 0xFF) {
            both(a, b, &DrillEngine::Im_End_Click);
            require(a.isEnded() && b.isEnded(), "End left the dictionary open");
        }
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    {
        mivesk::MemoryDictionarySource memory(bytes);
        auto file = fileSource(bytes);
        readEverything(bytes, memory, *file);
        file->close();
        char probe[KanaRecord::Size];
        require(file->readRecord(1, probe, KanaRecord::Size) == 0, "a closed file still reads");
    }

    DrillEngine onMemory(std::make_unique<mivesk::MemoryDictionarySource>(bytes),
                         std::make_unique<BytesRandom>(data, size));
    DrillEngine onFile(fileSource(bytes), std::make_unique<BytesRandom>(data, size));
    onMemory.Form_Load();
    onFile.Form_Load();
    checkDrill(onMemory);

    Script script(data, size);
    // Long enough to wrap every row and the 50音順 mode more than once.
    for (int i = 0; i < 400 && !script.done(); ++i) {
        step(script, onMemory, onFile);
        checkDrill(onMemory);
        require(onMemory.view() == onFile.view(), "the drills on the two sources disagree");
        require(onMemory.QuestionNo() == onFile.QuestionNo(), "the drills are on different kana");
    }
    return 0;
}

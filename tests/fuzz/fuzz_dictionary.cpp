// Arbitrary bytes as the kana dictionary. The input is the dictionary; read
// from its last byte backwards it is also the script of what the user does,
// so every input, the real data file included, drives a whole drill.
//
// Each input is checked as the program checks its dictionary, then read
// record by record, past both ends, from the open file, which must give
// exactly the file's bytes of the 46 records; every record is decoded; and a
// drill on the same file runs the script, checked after every operation
// against what must always hold.

#include "DataFileCheck.h"
#include "DictionarySource.h"
#include "DrillEngine.h"
#include "KanaDictionary.h"
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
#include <memory>
#include <unistd.h>
#include <vector>

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

void writeScratch(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the scratch file");
    require(file.write(bytes) == bytes.size(), "short write of the scratch file");
}

// The dictionary the program would read over `bytes`: checked and held
// open by the start-up check, which must accept the file exactly when it
// holds the 46 records. A shorter file, which the program refuses, is
// checked as a whole one and then cut back, as a file cut short during a
// run, so that its records are fuzzed too. The file is removed as soon as
// it is open, so nothing is left behind however the run ends.
std::unique_ptr<mivesk::DictionarySource> fileSource(const QByteArray& bytes) {
    static const QString path = QDir::temp().absoluteFilePath(
        QStringLiteral("fuzz_dictionary_%1.dat").arg(qint64(::getpid())));
    const QList<mivesk::DataFilePlace> places{{path, path}};
    writeScratch(path, bytes);
    mivesk::DataFileCheck check = mivesk::checkDataFile(places);
    const bool whole = bytes.size() >= mivesk::DataFileMinimumSize;
    require(bool(check.dictionary) == whole, "the start-up check judged the file's size wrongly");
    require(check.problem.isEmpty() == whole, "the start-up check's message disagrees with it");
    if (!whole) {
        writeScratch(path, bytes + QByteArray(mivesk::DataFileMinimumSize - bytes.size(), '\0'));
        check = mivesk::checkDataFile(places);
        require(bool(check.dictionary), "the start-up check refused a whole dictionary");
        require(QFile::resize(path, bytes.size()), "cannot cut the scratch file short");
    }
    QFile::remove(path);
    return std::move(check.dictionary);
}

// Passes reads on and notes the record number of each.
class RecordingSource final : public mivesk::DictionarySource {
public:
    RecordingSource(std::unique_ptr<mivesk::DictionarySource> inner, std::vector<int>& reads)
        : m_inner(std::move(inner)), m_reads(reads) {}
    int readRecord(int n, char* out, int size) override {
        m_reads.push_back(n);
        return m_inner->readRecord(n, out, size);
    }
    void close() override {
        m_closed = true;
        m_inner->close();
    }
    bool m_closed = false;

private:
    std::unique_ptr<mivesk::DictionarySource> m_inner;
    std::vector<int>& m_reads;
};

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

constexpr qsizetype fileBytesKept = qsizetype(KanaRecord::Count) * KanaRecord::Size;

// Every record from before the first to well past the last, with buffer
// sizes around a record's: each read gives the file's bytes of that record
// and nothing past the 46th, and decodes without fault.
void readEverything(const QByteArray& bytes, mivesk::DictionarySource& file) {
    const int records = int(bytes.size() / KanaRecord::Size);
    std::array<char, 2 * KanaRecord::Size> a{};
    for (int n = -2; n <= records + 3; ++n) {
        for (int size : {0, 1, KanaRecord::Size - 1, KanaRecord::Size, int(a.size())}) {
            a.fill('\x55');
            const int got = file.readRecord(n, a.data(), size);
            const qsizetype offset = qsizetype(n - 1) * KanaRecord::Size;
            const qsizetype kept = std::min<qsizetype>(bytes.size(), fileBytesKept);
            const qsizetype expected =
                n < 1 ? 0
                      : std::clamp<qsizetype>(kept - offset, 0,
                                              std::min<qsizetype>(size, KanaRecord::Size));
            require(got == expected, "a read returned the wrong count");
            if (expected > 0) {
                require(std::memcmp(a.data(), bytes.constData() + offset, size_t(expected)) == 0,
                        "a record does not hold the file's bytes");
            }
            require(std::all_of(a.begin() + got, a.end(), [](char c) { return c == '\x55'; }),
                    "a read wrote past what it returned");
        }
    }
}

void decodeEverything(const QByteArray& bytes) {
    mivesk::KanaDictionary dictionary(fileSource(bytes));
    for (int n = -2; n <= KanaRecord::Count + 3; ++n) {
        dictionary.read(n);
        checkRecordText(dictionary.record());
    }
}

// What the script has done, as far as the window should show it.
struct Model {
    bool setDone = false;
    int chosen = 0;  // the mode clicked last
    int drilled = 0; // the mode of the last Set
    int answered = 0;
    std::array<bool, 6> raised{};
};

// The first and last record of each ordered mode.
constexpr int RangeStart[] = {1, 6, 11, 16, 21, 26, 31, 36, 39, 44, 1};
constexpr int RangeEnd[] = {5, 10, 15, 20, 25, 30, 35, 38, 43, 46, 46};

void checkDrill(const DrillEngine& engine, const Model& model, const std::vector<int>& reads) {
    const mivesk::MainWindowView& view = engine.view();
    require(view.lblCount == mivesk::countText(qint16(model.answered)), "count label is stale");
    bool numeric = false;
    const int rate = view.lblRitsu.chopped(1).toInt(&numeric);
    require(view.lblRitsu.endsWith(u'%') && numeric && rate >= 0 && rate <= 100,
            "rate label is not 0% to 100%");
    require(view.Lb_Main.size() <= 2, "the kana label holds more than one kana");
    if (model.setDone) {
        const int q = reads.back();
        require(q >= 1 && q <= KanaRecord::Count, "the question left 1 to 46");
        if (model.drilled != DrillEngine::RandomMode) {
            require(q >= RangeStart[model.drilled] && q <= RangeEnd[model.drilled],
                    "question left its range");
        }
    }
    for (size_t i = 0; i < 6; ++i) {
        require((view.ImTen[i] == DotPicture::On) == model.raised[i],
                "an entered dot's picture disagrees with the clicks");
    }
}

// One operation chosen by the script. Out-of-range indices and values come
// too.
void step(Script& script, DrillEngine& engine, Model& model, RecordingSource& source) {
    const uint8_t op = script.next();
    switch (op % 9) {
    case 0: {
        const int mode = int(script.next() % 15) - 1;
        engine.Option1_Click(mode);
        if (mode >= 0 && mode < DrillEngine::ModeCount) {
            model.chosen = mode;
        }
        break;
    }
    case 1:
        engine.Im_Set_Click();
        model.setDone = true;
        model.drilled = model.chosen;
        model.raised = {};
        break;
    case 2:
        engine.Im_Next_Click();
        model.raised = {};
        break;
    case 3:
        engine.Im_Reset_Click();
        model.answered = model.setDone ? 0 : model.answered;
        model.raised = {};
        break;
    case 4:
    case 5: {
        const int dot = int(script.next() % 8) - 1;
        engine.ImTen_Click(dot);
        if (model.setDone && dot >= 0 && dot < 6) {
            model.raised[size_t(dot)] = !model.raised[size_t(dot)];
        }
        break;
    }
    case 6:
        engine.Im_Check_Click();
        model.answered += model.setDone ? 1 : 0;
        break;
    case 7:
        engine.Check1_Click(int(script.next() % 4) - 1);
        break;
    case 8:
        // End is rare: after it nothing reads the dictionary any more.
        if (op == 0xFF) {
            engine.Im_End_Click();
            require(source.m_closed, "End left the dictionary open");
        }
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    {
        auto file = fileSource(bytes);
        readEverything(bytes, *file);
        file->close();
        char probe[KanaRecord::Size];
        require(file->readRecord(1, probe, KanaRecord::Size) == 0, "a closed file still reads");
    }
    decodeEverything(bytes);

    std::vector<int> reads;
    auto recording = std::make_unique<RecordingSource>(fileSource(bytes), reads);
    RecordingSource& source = *recording;
    DrillEngine engine(std::move(recording), std::make_unique<BytesRandom>(data, size));
    engine.Form_Load();
    Model model;
    checkDrill(engine, model, reads);

    Script script(data, size);
    // Long enough to wrap every row and the 50音順 mode more than once.
    for (int i = 0; i < 400 && !script.done(); ++i) {
        step(script, engine, model, source);
        checkDrill(engine, model, reads);
    }
    return 0;
}

#pragma once

#include "DataFileLocator.h"
#include "DrillEngine.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace mivesk::test {

// The random source of every test: it hands out the numbers it was given,
// in order, over and over, or whatever `draw` gives each time. It counts the
// seedings.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> numbers);
    explicit ScriptedRandom(std::function<float()> draw) : m_draw(std::move(draw)) {}
    void seedFromClock() override { ++seeded; }
    float next() override { return m_draw(); }

    int seeded = 0;

private:
    std::function<float()> m_draw;
};

// The dictionary the program would read for `bytes`: written to a file,
// passed by the start-up check and held open by it. Fewer bytes than the
// check accepts are checked as a whole dictionary and then cut back, as if
// the file had been cut short during the run. Given a `path`, the file
// stays there for the test to change; otherwise it is gone at once.
std::unique_ptr<DictionarySource> checkedDictionary(const QByteArray& bytes,
                                                    const QString& path = {});

// Passes every read on to `inner` and notes the record number in `reads`,
// and notes in `closed` that it was closed: the seam through which a test
// sees what the drill read.
class RecordingSource final : public DictionarySource {
public:
    RecordingSource(std::unique_ptr<DictionarySource> inner, std::vector<int>* reads,
                    bool* closed = nullptr)
        : m_inner(std::move(inner)), m_reads(reads), m_closed(closed) {}
    int readRecord(int n, char* out, int size) override;
    void close() override;

private:
    std::unique_ptr<DictionarySource> m_inner;
    std::vector<int>* m_reads;
    bool* m_closed;
};

// Places for the start-up check to look at, one for each path.
QList<DataFilePlace> placesAt(const QStringList& paths);

// The committed data file's bytes.
QByteArray dataFileBytes();

// Writes `bytes` to `path`, whole; false on any failure.
bool writeFile(const QString& path, const QByteArray& bytes);

// Everything under `dir`, with type, size, times and permissions, so that
// any change shows. Links are described, not followed.
QStringList snapshot(const QString& dir);

// One record: a Shift-JIS kana and six flag bytes.
QByteArray record(const char* kanaShiftJis, const char (&flags)[7]);

// An engine over the checked dictionary of `bytes` that has run its
// start-up. `reads`, when given, collects every record number read;
// `closed` is set when the dictionary is closed.
std::unique_ptr<DrillEngine> startedEngine(const QByteArray& bytes,
                                           std::vector<float> randoms = {0.0f},
                                           std::vector<int>* reads = nullptr,
                                           bool* closed = nullptr);

// A cell's dot pictures as six characters, index 0 first: '1' on, '0' off.
QByteArray pictures(const std::array<DotPicture, 6>& cell);

} // namespace mivesk::test

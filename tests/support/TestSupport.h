#pragma once

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

// Records in memory that also note which record numbers were asked for.
class RecordingSource final : public DictionarySource {
public:
    RecordingSource(QByteArray bytes, std::vector<int>* reads)
        : m_memory(std::move(bytes)), m_reads(reads) {}
    int readRecord(int n, char* out, int size) override;
    void close() override { m_memory.close(); }

private:
    MemoryDictionarySource m_memory;
    std::vector<int>* m_reads;
};

// The committed data file's bytes.
QByteArray dataFileBytes();

// Writes `bytes` to `path`, whole; false on any failure.
bool writeFile(const QString& path, const QByteArray& bytes);

// Everything under `dir`, with type, size, times and permissions, so that
// any change shows. Links are described, not followed.
QStringList snapshot(const QString& dir);

// One record: a Shift-JIS kana and six flag bytes.
QByteArray record(const char* kanaShiftJis, const char (&flags)[7]);

// An engine over `bytes` that has run its start-up. `reads`, when given,
// collects every record number read.
std::unique_ptr<DrillEngine> startedEngine(QByteArray bytes, std::vector<float> randoms = {0.0f},
                                           std::vector<int>* reads = nullptr);

// A cell's dot pictures as six characters, index 0 first: '1' on, '0' off.
QByteArray pictures(const std::array<DotPicture, 6>& cell);

} // namespace mivesk::test

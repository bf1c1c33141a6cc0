// The engine's operations, each in nanoseconds per operation, over the real
// dictionary file as the program reads it: checked at start-up, then one
// record read from the open file for every question.
//
// Each benchmark iteration times a batch of the same operation on engines
// brought into the right state beforehand, outside the timed part, and
// reports the mean time of one operation of the batch as the iteration's
// time. So the "Time" column reads as nanoseconds per operation.

#include "DataFileCheck.h"
#include "DrillEngine.h"
#include "RandomSource.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using mivesk::DrillEngine;
using Clock = std::chrono::steady_clock;

constexpr int AllKanaMode = 10; // 50音順: records 1 to 46
constexpr int FirstRowMode = 0; // あ: records 1 to 5
constexpr int RandomMode = DrillEngine::RandomMode;
constexpr int Batch = 64;

std::unique_ptr<mivesk::DictionarySource> checkedDictionary() {
    const QString path = QStringLiteral(MIVESK_DATA_FILE);
    mivesk::DataFileCheck check = mivesk::checkDataFile({{path, path}});
    if (!check.dictionary) {
        std::fprintf(stderr, "bench_engine: %s\n", qPrintable(check.problem));
        std::exit(1);
    }
    return std::move(check.dictionary);
}

// An engine after start-up, mode selection and Set, as the user leaves it
// after pressing Set.
std::unique_ptr<DrillEngine> setEngine(int mode) {
    auto engine = std::make_unique<DrillEngine>(checkedDictionary(),
                                                std::make_unique<mivesk::ClockSeededRandom>());
    engine->Form_Load();
    engine->Option1_Click(mode);
    engine->Im_Set_Click();
    return engine;
}

std::vector<std::unique_ptr<DrillEngine>> setEngines(int mode, int count) {
    std::vector<std::unique_ptr<DrillEngine>> engines;
    for (int i = 0; i < count; ++i)
        engines.push_back(setEngine(mode));
    return engines;
}

// Runs `prepare` untimed, then times `count` calls of `operation` and
// records the mean time of one call.
void timeBatch(benchmark::State& state, int count, const std::function<void()>& prepare,
               const std::function<void(int)>& operation) {
    for (auto _ : state) {
        prepare();
        const auto start = Clock::now();
        for (int i = 0; i < count; ++i)
            operation(i);
        benchmark::ClobberMemory();
        const auto stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count() / count);
    }
}

void benchSet(benchmark::State& state) {
    auto engine = setEngine(AllKanaMode);
    timeBatch(
        state, Batch, [] {}, [&](int) { engine->Im_Set_Click(); });
    benchmark::DoNotOptimize(engine->view());
}

// Records 1 to 46 in order: 45 steps that never wrap.
void benchNextNoWrap(benchmark::State& state) {
    auto engine = setEngine(AllKanaMode);
    timeBatch(
        state, 45, [&] { engine->Im_Set_Click(); }, [&](int) { engine->Im_Next_Click(); });
    if (engine->view().TexCheck != QStringLiteral("46"))
        state.SkipWithError("Next did not walk the 46 kana in order");
}

// Each engine stands on the last kana of the あ row; its Next reads past the
// end of the range and goes back to the row's first kana.
void benchNextWrap(benchmark::State& state) {
    auto engines = setEngines(FirstRowMode, Batch);
    timeBatch(
        state, Batch,
        [&] {
            for (auto& engine : engines) {
                engine->Im_Set_Click();
                for (int i = 1; i < 5; ++i)
                    engine->Im_Next_Click();
            }
        },
        [&](int i) { engines[size_t(i)]->Im_Next_Click(); });
    if (engines.front()->view().TexCheck != QStringLiteral("1"))
        state.SkipWithError("Next did not wrap to the row's first kana");
}

void benchNextRandom(benchmark::State& state) {
    auto engine = setEngine(RandomMode);
    timeBatch(
        state, Batch, [] {}, [&](int) { engine->Im_Next_Click(); });
    benchmark::DoNotOptimize(engine->view());
}

// Check after two dots have been entered. Reset, untimed, keeps the
// counters far from their limit, where an answer is no longer counted.
void benchCheck(benchmark::State& state) {
    auto engine = setEngine(AllKanaMode);
    timeBatch(
        state, Batch,
        [&] {
            engine->Im_Reset_Click();
            engine->ImTen_Click(0);
            engine->ImTen_Click(3);
        },
        [&](int) { engine->Im_Check_Click(); });
    if (engine->view().lblCount != QString::number(Batch) + QStringLiteral("門終了"))
        state.SkipWithError("Check did not count every answer");
}

void benchDotClick(benchmark::State& state) {
    auto engine = setEngine(AllKanaMode);
    timeBatch(
        state, Batch, [] {}, [&](int i) { engine->ImTen_Click(i % 6); });
    benchmark::DoNotOptimize(engine->view());
}

void benchReset(benchmark::State& state) {
    auto engine = setEngine(AllKanaMode);
    timeBatch(
        state, Batch, [] {}, [&](int) { engine->Im_Reset_Click(); });
    benchmark::DoNotOptimize(engine->view());
}

void registerAll() {
    const struct {
        const char* name;
        void (*function)(benchmark::State&);
        int iterations;
    } operations[] = {
        {"Set", benchSet, 5000},
        {"Next_no_wrap", benchNextNoWrap, 5000},
        {"Next_wrap", benchNextWrap, 1000},
        {"Next_random", benchNextRandom, 5000},
        {"Check", benchCheck, 5000},
        {"Dot_click", benchDotClick, 5000},
        {"Reset", benchReset, 5000},
    };
    for (const auto& operation : operations) {
        benchmark::RegisterBenchmark(operation.name, operation.function)
            ->UseManualTime()
            ->Unit(benchmark::kNanosecond)
            ->Iterations(operation.iterations)
            ->Repetitions(5);
    }
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Board generation with the planarity guarantee, at the sizes players reach
// and well beyond.
#include "core/generator.h"
#include "core/system_random.h"

#include "support/scripted_random.h"

#include <benchmark/benchmark.h>

namespace {

void Generate(benchmark::State& state) {
    testkit::ScriptedRandom random(1'700'000'000);
    std::int64_t second = 0;
    for (auto _ : state) {
        random.setTime(second++);
        core::seedFromClock(random);
        benchmark::DoNotOptimize(core::generateBoard(static_cast<int>(state.range(0)), random));
    }
}

// As the game deals, from the system's random source, which asks the system
// for a block of draws at a time: at core::kMaxNodes, where boards stop
// growing, and at twice that.
void GenerateAsTheGameDoes(benchmark::State& state) {
    core::SystemRandom random;
    for (auto _ : state) {
        core::seedFromClock(random);
        benchmark::DoNotOptimize(core::generateBoard(static_cast<int>(state.range(0)), random));
    }
}

} // namespace

BENCHMARK(GenerateAsTheGameDoes)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(core::kMaxNodes)
    ->Arg(2 * core::kMaxNodes)
    ->Unit(benchmark::kMillisecond);
// Up to 100,000 circles, which take nearly every whole point of the deal area.
BENCHMARK(Generate)->ArgsProduct({{7, 14, 50, 100, 200, 2000, 10000, 20000, 100000}})->Unit(benchmark::kMicrosecond);

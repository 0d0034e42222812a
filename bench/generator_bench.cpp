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
// for every target drawn: at core::kMaxNodes, where boards stop growing, and
// at twice that, as dealing grows with the square of the count.
void GenerateAsTheGameDoes(benchmark::State& state) {
    core::SystemRandom random;
    for (auto _ : state) {
        core::seedFromClock(random);
        benchmark::DoNotOptimize(
            core::generateBoard(static_cast<int>(state.range(0)), random));
    }
}

} // namespace

BENCHMARK(GenerateAsTheGameDoes)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(core::kMaxNodes)
    ->Arg(2 * core::kMaxNodes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Generate)->Arg(7)->Arg(14)->Arg(50)->Arg(100)->Arg(200)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

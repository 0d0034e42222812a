// Board generation with the planarity guarantee, at the sizes players reach
// and well beyond.
#include "core/generator.h"

#include "support/scripted_random.h"

#include <benchmark/benchmark.h>

namespace {

void Generate(benchmark::State& state) {
    testkit::ScriptedRandom random(1'700'000'000);
    std::int64_t second = 0;
    for (auto _ : state) {
        random.setTime(second++);
        core::seedFromClock(random);
        benchmark::DoNotOptimize(core::generateBoard(static_cast<int>(state.range(0)), 320, 480, random));
    }
}

} // namespace

BENCHMARK(Generate)->Arg(7)->Arg(14)->Arg(50)->Arg(100)->Arg(200)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

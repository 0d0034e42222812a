// The end-of-level test, fast and reference side by side, on generated boards
// (crossings to stop at early) and on grids without a crossing (every pair
// with overlapping boxes must be looked at).
#include "core/crossing.h"
#include "core/generator.h"

#include "support/scripted_random.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

core::Board generated(int nodeCount)
{
    testkit::ScriptedRandom random(1'700'000'000);
    core::seedFromClock(random);
    return core::generateBoard(nodeCount, 320, 480, random);
}

// Circles 40 points apart, each linked to its right and lower neighbour.
core::Board grid(int nodeCount)
{
    const int side = static_cast<int>(std::lround(std::sqrt(nodeCount)));
    core::Board board(static_cast<std::size_t>(side * side));
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            core::Node& node = board[static_cast<std::size_t>(row * side + column)];
            node.coord = {static_cast<float>(45 + 40 * column), static_cast<float>(45 + 40 * row)};
            if (column + 1 < side) {
                node.link.push_back(row * side + column + 1);
            }
            if (row + 1 < side) {
                node.link.push_back((row + 1) * side + column);
            }
        }
    }
    return board;
}

template <bool (*Test)(std::vector<core::Segment>&)>
void run(benchmark::State& state, const core::Board& board)
{
    std::vector<core::Segment> segments = core::buildSegments(board);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Test(segments));
    }
    state.counters["segments"] = static_cast<double>(segments.size());
}

void GeneratedFast(benchmark::State& state) { run<core::hasCrossing>(state, generated(static_cast<int>(state.range(0)))); }
void GeneratedAllPairs(benchmark::State& state) { run<core::hasCrossingAllPairs>(state, generated(static_cast<int>(state.range(0)))); }
void CrossingFreeFast(benchmark::State& state) { run<core::hasCrossing>(state, grid(static_cast<int>(state.range(0)))); }
void CrossingFreeAllPairs(benchmark::State& state) { run<core::hasCrossingAllPairs>(state, grid(static_cast<int>(state.range(0)))); }

void IsSolvedCrossingFree(benchmark::State& state)
{
    const core::Board board = grid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::isSolved(board));
    }
}

} // namespace

BENCHMARK(GeneratedFast)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(GeneratedAllPairs)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CrossingFreeFast)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CrossingFreeAllPairs)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(IsSolvedCrossingFree)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

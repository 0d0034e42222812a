// The end-of-level test, fast and reference side by side, on generated boards
// (crossings to stop at early) and on grids without a crossing (every pair
// with overlapping boxes must be looked at), upright or turned so that every
// link is slanted.
#include "core/crossing.h"
#include "core/generator.h"

#include "support/scripted_random.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

core::Board generated(int nodeCount) {
    testkit::ScriptedRandom random(1'700'000'000);
    core::seedFromClock(random);
    return core::generateBoard(nodeCount, random);
}

// Circles 40 points apart, each linked to its right and lower neighbour.
core::Board grid(int nodeCount) {
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

// The grid turned by half a radian, on whole points, with a diagonal in each
// cell: still no crossing and no contact, but no link upright or level.
core::Board slantedGrid(int nodeCount) {
    core::Board board = grid(nodeCount);
    const int side = static_cast<int>(std::lround(std::sqrt(board.size())));
    for (std::size_t i = 0; i < board.size(); ++i) {
        core::Point& p = board[i].coord;
        p = {std::round(2000.0f + p.x * std::cos(0.5f) - p.y * std::sin(0.5f)),
             std::round(45.0f + p.x * std::sin(0.5f) + p.y * std::cos(0.5f))};
        const int row = static_cast<int>(i) / side, column = static_cast<int>(i) % side;
        if (row + 1 < side && column + 1 < side) {
            board[i].link.push_back((row + 1) * side + column + 1);
        }
    }
    return board;
}

template <bool (*Test)(const std::vector<core::Segment>&)>
void run(benchmark::State& state, const core::Board& board) {
    std::vector<core::Segment> segments = core::buildSegments(board);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Test(segments));
    }
    state.counters["segments"] = static_cast<double>(segments.size());
}

void GeneratedFast(benchmark::State& state) {
    run<core::hasCrossing>(state, generated(static_cast<int>(state.range(0))));
}
void GeneratedAllPairs(benchmark::State& state) {
    run<core::hasCrossingAllPairs>(state, generated(static_cast<int>(state.range(0))));
}
void CrossingFreeFast(benchmark::State& state) {
    run<core::hasCrossing>(state, grid(static_cast<int>(state.range(0))));
}
void CrossingFreeAllPairs(benchmark::State& state) {
    run<core::hasCrossingAllPairs>(state, grid(static_cast<int>(state.range(0))));
}

void SlantedFast(benchmark::State& state) {
    run<core::hasCrossing>(state, slantedGrid(static_cast<int>(state.range(0))));
}
void SlantedAllPairs(benchmark::State& state) {
    run<core::hasCrossingAllPairs>(state, slantedGrid(static_cast<int>(state.range(0))));
}

void isSolvedOn(benchmark::State& state, const core::Board& board) {
    if (!core::isSolved(board)) {
        state.SkipWithError("the board is not untangled");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::isSolved(board));
    }
}
void IsSolvedCrossingFree(benchmark::State& state) { isSolvedOn(state, grid(static_cast<int>(state.range(0)))); }
void IsSolvedSlanted(benchmark::State& state) { isSolvedOn(state, slantedGrid(static_cast<int>(state.range(0)))); }

} // namespace

BENCHMARK(GeneratedFast)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(GeneratedAllPairs)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CrossingFreeFast)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CrossingFreeAllPairs)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SlantedFast)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SlantedAllPairs)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(IsSolvedCrossingFree)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(IsSolvedSlanted)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The end-of-level check on boards of 10,000 and 100,000 circles, beside
// the reference loop and two peers on the same boards: a plain all-pairs
// loop with a box reject, and Boost.Geometry's R-tree. Every board lies on whole points within the
// range the game's check decides exactly. Then the check kept up to date
// while one circle is dragged.
#include "core/crossing.h"
#include "core/crossing_index.h"
#include "core/generator.h"
#include "core/whole_points.h"

#include "support/scripted_random.h"

#include <benchmark/benchmark.h>
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <cmath>
#include <map>

namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

// Circles in a square, each linked to its right and lower neighbour, as
// far apart as the range allows, at most 40 points.
core::Board grid(int nodeCount, int spacing = 0) {
    const int side = static_cast<int>(std::lround(std::sqrt(nodeCount)));
    if (spacing == 0) spacing = std::min(40, 1900 / side);
    core::Board board(static_cast<std::size_t>(side * side));
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            core::Node& node = board[static_cast<std::size_t>(row * side + column)];
            node.coord = {static_cast<float>(45 + spacing * column), static_cast<float>(45 + spacing * row)};
            if (column + 1 < side) node.link.push_back(row * side + column + 1);
            if (row + 1 < side) node.link.push_back((row + 1) * side + column);
        }
    }
    return board;
}

// The grid turned by half a radian, on whole points, with a diagonal in each
// cell: still nothing looks crossed, but no link is upright or level.
core::Board slanted(int nodeCount) {
    const int side = static_cast<int>(std::lround(std::sqrt(nodeCount)));
    core::Board board = grid(nodeCount, std::min(40, 1450 / side));
    const float turn = 0.5f, left = std::sin(turn) * 1450.0f + 20.0f;
    for (std::size_t i = 0; i < board.size(); ++i) {
        core::Point& p = board[i].coord;
        p = {std::round(left + p.x * std::cos(turn) - p.y * std::sin(turn)),
             std::round(20.0f + p.x * std::sin(turn) + p.y * std::cos(turn))};
        const int row = static_cast<int>(i) / side, column = static_cast<int>(i) % side;
        if (row + 1 < side && column + 1 < side) board[i].link.push_back((row + 1) * side + column + 1);
    }
    return board;
}

// Runs of 1,000 circles linked end to end, each on a slanted line of its
// own, the lines side by side: ten of them on a board of 10,000 circles.
core::Board lines(int nodeCount) {
    constexpr int run = 1000;
    const int lineCount = nodeCount / run, apart = 1000 / lineCount;
    core::Board board;
    for (int line = 0; line < lineCount; ++line) {
        for (int k = 0; k < run; ++k) {
            const auto index = static_cast<std::int32_t>(board.size());
            board.push_back({{static_cast<float>(20 + 2 * k), static_cast<float>(20 + apart * line + k)}, {}});
            if (k + 1 < run) board.back().link.push_back(index + 1);
        }
    }
    return board;
}

// A level as the game deals it: tangled, so every check ends early.
core::Board dealt(int nodeCount) {
    testkit::ScriptedRandom random(1'700'000'000);
    core::seedFromClock(random);
    return core::generateBoard(nodeCount, random);
}

enum Kind { Grid, Slanted, Lines, Dealt };

const core::Board& board(Kind kind, int nodeCount) {
    static std::map<std::pair<Kind, int>, core::Board> made;
    auto [at, isNew] = made.try_emplace({kind, nodeCount});
    if (isNew) {
        at->second = kind == Grid      ? grid(nodeCount)
                     : kind == Slanted ? slanted(nodeCount)
                     : kind == Lines   ? lines(nodeCount)
                                       : dealt(nodeCount);
    }
    return at->second;
}

// Each segment's box, grown by half a point: links that come within a
// point of each other have touching boxes.
struct Box {
    float minX, minY, maxX, maxY;
    explicit Box(const core::Segment& s)
        : minX(std::min(s.getStart().x, s.getEnd().x) - 0.5f), minY(std::min(s.getStart().y, s.getEnd().y) - 0.5f),
          maxX(std::max(s.getStart().x, s.getEnd().x) + 0.5f), maxY(std::max(s.getStart().y, s.getEnd().y) + 0.5f) {}
    bool meets(const Box& o) const { return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY; }
};

bool allPairsWithBoxReject(const std::vector<core::Segment>& segments) {
    std::vector<Box> boxes(segments.begin(), segments.end());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            if (boxes[i].meets(boxes[j]) && core::looksCrossed(segments[i], segments[j])) return true;
        }
    }
    return false;
}

bool rtree(const std::vector<core::Segment>& segments) {
    using Point = bg::model::point<float, 2, bg::cs::cartesian>;
    using Rect = bg::model::box<Point>;
    std::vector<std::pair<Rect, std::size_t>> values;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Box b(segments[i]);
        values.push_back({Rect{{b.minX, b.minY}, {b.maxX, b.maxY}}, i});
    }
    const bgi::rtree<std::pair<Rect, std::size_t>, bgi::quadratic<16>> tree(values.begin(), values.end());
    for (const auto& [rect, i] : values) {
        for (auto it = tree.qbegin(bgi::intersects(rect)); it != tree.qend(); ++it) {
            if (it->second > i && core::looksCrossed(segments[i], segments[it->second])) return true;
        }
    }
    return false;
}

bool solvedAllPairs(const core::Board& b) { return !allPairsWithBoxReject(core::buildSegments(b)); }
bool solvedReference(const core::Board& b) { return !core::hasCrossingAllPairs(core::buildSegments(b)); }
bool solvedRtree(const core::Board& b) { return !rtree(core::buildSegments(b)); }

template <bool (*Check)(const core::Board&)>
void EndOfLevel(benchmark::State& state) {
    const core::Board& b = board(static_cast<Kind>(state.range(0)), static_cast<int>(state.range(1)));
    const bool expected = state.range(0) != Dealt;
    if (Check(b) != expected) state.SkipWithError("the board is not what it should be");
    for (auto _ : state) benchmark::DoNotOptimize(Check(b));
    state.counters["circles"] = static_cast<double>(b.size());
}

// Drags a circle of the middle one point aside and back, as a finger
// moves: each move re-tests the circle's links.
void RecheckAfterADrag(benchmark::State& state) {
    core::Board b = board(static_cast<Kind>(state.range(0)), static_cast<int>(state.range(1)));
    core::CrossingIndex index(b);
    const std::size_t circle = b.size() / 2;
    const core::Point home = b[circle].coord, aside{home.x + 1, home.y};
    for (auto _ : state) {
        index.moveCircle(circle, aside);
        index.moveCircle(circle, home);
        benchmark::DoNotOptimize(index.isSolved());
    }
    state.SetItemsProcessed(2 * state.iterations()); // moves
}

void allKinds(benchmark::internal::Benchmark* b, std::initializer_list<int> sizes) {
    b->ArgNames({"board", "circles"})->Unit(benchmark::kMillisecond);
    for (const int kind : {Grid, Slanted, Lines, Dealt}) {
        for (const int size : sizes) b->Args({kind, size});
    }
}

} // namespace

// Boards: 0 grid, 1 slanted grid, 2 ten runs on slanted lines, 3 dealt (tangled).
BENCHMARK(EndOfLevel<core::isSolved>)->Apply([](auto* b) { allKinds(b, {10'000, 100'000}); });
BENCHMARK(EndOfLevel<solvedRtree>)->Apply([](auto* b) { allKinds(b, {10'000, 100'000}); });
BENCHMARK(EndOfLevel<solvedAllPairs>)->Apply([](auto* b) { allKinds(b, {10'000}); });
// The game's own reference loop, every pair in full: seconds a board.
BENCHMARK(EndOfLevel<solvedReference>)->Apply([](auto* b) { allKinds(b, {10'000}); }) -> Iterations(1);
BENCHMARK(RecheckAfterADrag)
    ->ArgNames({"board", "circles"})
    ->Args({Grid, 100'000})
    ->Args({Slanted, 100'000})
    ->Unit(benchmark::kMicrosecond);

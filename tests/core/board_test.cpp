#include "core/board.h"
#include "core/box_grid.h"
#include "core/crossing.h"
#include "core/segment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>

namespace {

using core::Board;
using core::Point;
using core::Segment;

TEST(SegmentTest, ClassifiesHowTwoSegmentsMeet) {
    const std::tuple<const char*, Point, Point, Point, Point, int, bool> cases[] = {
        {"shared end point", {0, 0}, {10, 0}, {10, 0}, {20, 5}, Segment::Touching, true},
        {"an end on the other", {0, 0}, {10, 0}, {5, 0}, {5, 5}, Segment::Touching, true},
        {"the other end on the other", {0, 0}, {10, 0}, {5, 5}, {5, 0}, Segment::Touching, true},
        {"parallel", {0, 0}, {10, 0}, {0, 5}, {10, 5}, Segment::Parallel, true},
        {"lines meet outside", {0, 0}, {10, 0}, {5, 5}, {5, 1}, Segment::MeetOutside, true},
        {"a segment and itself", {3.5f, 7.25f}, {100, 42}, {3.5f, 7.25f}, {100, 42}, Segment::Touching, true},
        // Near-degenerate pairs: in double, or with fused multiply-adds, these
        // give 3 and 2; only step-by-step 32-bit rounding gives these codes.
        {"rounded touch",
         {236.800003f, 108.699997f},
         {280.100006f, 427.600006f},
         {258.839691f, 271.020111f},
         {447.700012f, 452.899994f},
         Segment::Touching,
         false},
        {"rounded crossing",
         {410.0f, 28.7000008f},
         {81.8000031f, 463.200012f},
         {145.142609f, 379.341492f},
         {274.100006f, 168.300003f},
         Segment::ProperCrossing,
         false},
    };
    for (const auto& [name, p, q, r, s, code, bothWays] : cases) {
        const Segment first(p, q), second(r, s);
        EXPECT_EQ(first.RezultatulIntersectiei(second), code) << name;
        EXPECT_TRUE(!bothWays || second.RezultatulIntersectiei(first) == code) << name << ", swapped";
    }
}

// What the fast test, or the all-pairs reference, says of a board's links.
bool crossed(const Board& board, bool (*test)(const std::vector<Segment>&)) {
    auto segments = core::buildSegments(board);
    return test(segments);
}

TEST(CrossingTest, ASolvedBoardHasNoCrossingAndNoContact) {
    const float oneStepUp = std::nextafter(0.5f, 1.0f);
    const std::tuple<const char*, Board, bool> cases[] = {
        {"no board", {}, true},
        {"two links crossing", {{{0, 0}, {1}}, {{10, 10}, {}}, {{0, 10}, {3}}, {{10, 0}, {}}}, false},
        {"the same, one end moved away", {{{0, 0}, {1}}, {{10, 10}, {}}, {{0, 10}, {3}}, {{-10, 20}, {}}}, true},
        {"links sharing a circle", {{{0, 0}, {1, 2}}, {{10, 0}, {}}, {{5, 8}, {}}}, true},
        {"links on one line meeting at a circle", {{{0, 0}, {1}}, {{10, 0}, {2}}, {{20, 0}, {}}}, true},
        {"links on one line apart", {{{0, 0}, {1}}, {{10, 0}, {}}, {{20, 0}, {3}}, {{30, 0}, {}}}, true},
        {"a circle on another link", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {3}}, {{5, 6}, {}}}, false},
        {"a circle a point beside it", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 1}, {3}}, {{5, 6}, {}}}, true},
        {"a lone circle on a link", {{{5, 0}, {}}, {{0, 0}, {2}}, {{10, 0}, {}}}, false},
        {"a lone circle on an upright link", {{{0, 0}, {1}}, {{0, 10}, {}}, {{0, 5}, {}}}, false},
        {"a lone circle on a link's end", {{{0, 0}, {1}}, {{10, 0}, {}}, {{10, 0}, {}}}, false},
        {"two circles on one centre", {{{0, 0}, {1}}, {{10, 0}, {}}, {{0, 0}, {3}}, {{0, 10}, {}}}, false},
        {"one centre, zero signed both ways",
         {{{0.0f, 0}, {1}}, {{10, 0}, {}}, {{-0.0f, 0}, {3}}, {{0, 10}, {}}},
         false},
        {"every circle heaped on one point", {{{45, 45}, {1, 2}}, {{45, 45}, {2}}, {{45, 45}, {}}}, false},
        {"links on one line overlapping", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {3}}, {{20, 0}, {}}}, false},
        {"one link over another", {{{0, 0}, {1}}, {{30, 0}, {}}, {{10, 0}, {3}}, {{20, 0}, {}}}, false},
        {"a circle exactly on a slanted link",
         {{{0, 0}, {1}}, {{3, 1}, {}}, {{1.5f, 0.5f}, {3}}, {{1.5f, 9}, {}}},
         false},
        {"the same circle a float's step off",
         {{{0, 0}, {1}}, {{3, 1}, {}}, {{1.5f, oneStepUp}, {3}}, {{1.5f, 9}, {}}},
         true},
        {"a circle on a link, huge coordinates", {{{0, 0}, {1}}, {{-3e6f, 1e6f}, {}}, {{-1.5e6f, 0.5e6f}, {}}}, false},
        {"a circle beside it, huge coordinates", {{{0, 0}, {1}}, {{-3e6f, 1e6f}, {}}, {{-1.5e6f, 0.6e6f}, {}}}, true},
        {"a circle on a link, tiny coordinates",
         {{{0, 0}, {1}}, {{3e-6f, 1e-6f}, {}}, {{1.5e-6f, 0.5e-6f}, {}}},
         false},
        {"a circle beside it, tiny coordinates", {{{0, 0}, {1}}, {{3e-6f, 1e-6f}, {}}, {{1.5e-6f, 0.6e-6f}, {}}}, true},
    };
    for (const auto& [what, board, solved] : cases) {
        EXPECT_EQ(core::isSolved(board), solved) << what;
        EXPECT_EQ(crossed(board, core::hasCrossing), crossed(board, core::hasCrossingAllPairs)) << what;
    }
}

// The fast test skips pairs whose boxes lie apart, yet rounding can make
// such a pair cross: nearly touching random pairs hold it to the all-pairs
// loop.
TEST(CrossingTest, TheFastTestAgreesWithEveryPairOnNearMisses) {
    std::mt19937 engine(2024);
    const auto real = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(engine); };
    const auto anywhere = [&] { return Point{real(15, 465), real(15, 465)}; };
    const auto nudged = [&](float value) {
        return value * (1 + real(-4, 4) * 0x1p-24f);
    }; // a few units in the last place away
    int crossings = 0;
    for (int round = 0; round < 20000; ++round) {
        // Two far-apart pieces of one slanted line, their ends rounded.
        const Point a = anywhere(), b = anywhere();
        const auto on = [&](float t) { return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; };
        const float first = real(0, 0.45f), second = real(0.55f, 1);
        const Board apart{
            {on(first), {1}}, {on(first + real(0, 0.45f)), {}}, {on(second), {3}}, {on(second + real(0, 0.45f)), {}}};
        // Two links whose ends miss each other by a hair.
        const Point end = anywhere();
        const Board hairline{{anywhere(), {1}}, {end, {}}, {{nudged(end.x), nudged(end.y)}, {3}}, {anywhere(), {}}};
        for (const Board* board : {&apart, &hairline}) {
            const bool expected = crossed(*board, core::hasCrossingAllPairs);
            ASSERT_EQ(crossed(*board, core::hasCrossing), expected) << round;
            crossings += expected;
        }
    }
    // Both answers occur, or the comparison would prove little.
    EXPECT_TRUE(crossings > 1000 && crossings < 39000) << crossings;
}

TEST(BoxGridTest, VisitsEachOverlappingPairOnceAndNoOther) {
    // Boxes of every size, some standing for one item together, some of no size at all.
    std::mt19937 engine(7);
    const auto real = [&](double high) { return std::uniform_real_distribution<double>(0, high)(engine); };
    std::vector<core::detail::Box> boxes;
    for (std::uint32_t item = 0; boxes.size() < 300; ++item) {
        for (int part = 0, parts = 1 + item % 3; part < parts; ++part) {
            const double x = real(400), y = real(400), size = item % 5 == 0 ? 0.0 : real(item % 2 ? 10 : 120);
            boxes.push_back({x, y, x + size, y + real(size), item});
        }
    }
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> expected, visited;
    // A pair of items is visited once for each pair of their boxes that overlap.
    for (const auto& a : boxes) {
        for (const auto& b : boxes) {
            if (a.item < b.item && core::detail::overlap(a, b)) ++expected[{a.item, b.item}];
        }
    }
    core::detail::anyOverlappingPair(boxes, [&](std::uint32_t a, std::uint32_t b) {
        ++visited[{std::min(a, b), std::max(a, b)}];
        return false;
    });
    EXPECT_EQ(visited, expected);
    EXPECT_GT(expected.size(), 100u);
}

TEST(BoardTest, RebuildsTheWholeCentresAndLinksItDescribes) {
    // Centres truncated toward zero, as a drag may leave them; the count
    // cuts longer lists short.
    const Board board{{{12.9f, 3.7f}, {1}}, {{20.5f, 479.99f}, {0, 2}}, {{320, 480}, {}}, {{1, 1}, {0, 1}}};
    EXPECT_EQ(core::describe(Board{{{-0.5f, -3.7f}, {}}}).yNodes, std::vector<std::int32_t>{-3});
    const auto rebuilt = core::rebuildBoard(core::describe(board), 3);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.reason();
    EXPECT_EQ(*rebuilt, (Board{{{12, 3}, {1}}, {{20, 479}, {0, 2}}, {{320, 480}, {}}}));
    EXPECT_TRUE(core::rebuildBoard({}, 0)->empty());
    const std::vector<std::int32_t> ones(core::kMaxNodes, 1); // the largest count taken
    const std::vector<std::vector<std::int32_t>> noLinks(core::kMaxNodes);
    EXPECT_TRUE(core::rebuildBoard({ones, ones, noLinks}, core::kMaxNodes).ok());
}

TEST(BoardTest, RefusesUnusableDescriptionsWithAReason) {
    const std::tuple<core::BoardDescription, int, const char*> cases[] = {
        {{{1}, {1}, {{}}}, -1, "node count -1 is negative"},
        {{}, 4001, "node count 4001 is more than 4000"},
        {{{1}, {1, 2}, {{}, {}}}, 2, "2 nodes but only 1 x coordinates"},
        {{{1, 2}, {}, {{}, {}}}, 2, "2 nodes but only 0 y coordinates"},
        {{{1, 2}, {1, 2}, {{1}}}, 2, "2 nodes but only 1 link lists"},
        {{{1, 2}, {1, 2}, {{1}, {2}}}, 2, "Node 1 links to node 2, which does not exist on a board of 2 nodes"},
        {{{1, 2, 3}, {1, 2, 3}, {{2}, {}, {}}}, 2, "Node 0 links to node 2, which does not exist"},
        {{{1, 2}, {1, 2}, {{1}, {-1}}}, 2, "Node 1 links to node -1"},
        {{{1, 2}, {1, 2}, {{1}, {0, 1}}}, 2, "Node 1 links to itself"},
        {{{1, 2}, {1, -1}, {{}, {}}}, 2, "Node 1 lies at (2, -1), off the board of 320 x 480 points"},
        {{{1, 321}, {1, 2}, {{}, {}}}, 2, "Node 1 lies at (321, 2)"},
        {{{1, -1}, {1, 2}, {{}, {}}}, 2, "Node 1 lies at (-1, 2)"},
        {{{1, 2}, {1, 481}, {{}, {}}}, 2, "Node 1 lies at (2, 481)"},
        {{{2'147'483'647}, {1}, {{}}}, 1, "Node 0 lies at (2147483647, 1)"},
        {{{1, 2, 3, 4}, {1, 2, 3, 4}, {{1, 2, 3}, {}, {}, {}}}, 4, "Node 0 has 3 links; a node has at most 2"},
    };
    for (const auto& [description, nodeCount, reason] : cases) {
        const auto result = core::rebuildBoard(description, nodeCount);
        EXPECT_FALSE(result.ok()) << reason;
        EXPECT_NE(result.reason().find(reason), std::string::npos) << result.reason();
    }
}

} // namespace

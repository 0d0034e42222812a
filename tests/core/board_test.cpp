#include "core/board.h"
#include "core/crossing.h"
#include "core/crossing_index.h"
#include "core/segment.h"
#include "core/whole_points.h"

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

TEST(CrossingTest, ASolvedBoardHasNoLinksThatLookCrossed) {
    const float justOverAPoint = std::nextafter(1.0f, 2.0f);
    const std::tuple<const char*, Board, bool> cases[] = {
        {"no board", {}, true},
        {"two links crossing", {{{0, 0}, {1}}, {{10, 10}, {}}, {{0, 10}, {3}}, {{10, 0}, {}}}, false},
        {"the same, one end moved away", {{{0, 0}, {1}}, {{10, 10}, {}}, {{0, 10}, {3}}, {{-10, 20}, {}}}, true},
        {"links sharing a circle", {{{0, 0}, {1, 2}}, {{10, 0}, {}}, {{5, 8}, {}}}, true},
        {"links on one line meeting at a circle", {{{0, 0}, {1}}, {{10, 0}, {2}}, {{20, 0}, {}}}, true},
        {"links on one line apart", {{{0, 0}, {1}}, {{10, 0}, {}}, {{20, 0}, {3}}, {{30, 0}, {}}}, true},
        {"a circle on another link", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {3}}, {{5, 6}, {}}}, false},
        {"a circle a point beside it", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 1}, {3}}, {{5, 6}, {}}}, false},
        {"a circle two points beside it", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 2}, {3}}, {{5, 6}, {}}}, true},
        {"a circle a point past a link's end", {{{0, 0}, {1}}, {{10, 0}, {}}, {{11, 0}, {3}}, {{11, 9}, {}}}, false},
        // (103, 101) lies 0.26 points off the link from (100, 100) to (107, 103), (104, 103) 1.18.
        {"a circle a quarter point off a slanted link",
         {{{100, 100}, {1}}, {{107, 103}, {}}, {{103, 101}, {3}}, {{103, 140}, {}}},
         false},
        {"a circle more than a point off it",
         {{{100, 100}, {1}}, {{107, 103}, {}}, {{104, 103}, {3}}, {{104, 140}, {}}},
         true},
        {"a circle's link running along another of its links",
         {{{100, 100}, {1}}, {{107, 103}, {2}}, {{103, 101}, {}}},
         false},
        {"a lone circle on a link", {{{5, 0}, {}}, {{0, 0}, {2}}, {{10, 0}, {}}}, false},
        {"a lone circle on an upright link", {{{0, 0}, {1}}, {{0, 10}, {}}, {{0, 5}, {}}}, false},
        {"a lone circle on a link's end", {{{0, 0}, {1}}, {{10, 0}, {}}, {{10, 0}, {}}}, false},
        {"two lone circles a point apart", {{{0, 0}, {}}, {{0, 1}, {}}}, false},
        {"two lone circles apart", {{{0, 0}, {}}, {{1, 1}, {}}}, true},
        {"two circles on one centre", {{{0, 0}, {1}}, {{10, 0}, {}}, {{0, 0}, {3}}, {{0, 10}, {}}}, false},
        {"one centre, zero signed both ways",
         {{{0.0f, 0}, {1}}, {{10, 0}, {}}, {{-0.0f, 0}, {3}}, {{0, 10}, {}}},
         false},
        {"every circle heaped on one point", {{{45, 45}, {1, 2}}, {{45, 45}, {2}}, {{45, 45}, {}}}, false},
        {"links on one line overlapping", {{{0, 0}, {1}}, {{10, 0}, {}}, {{5, 0}, {3}}, {{20, 0}, {}}}, false},
        {"one link over another", {{{0, 0}, {1}}, {{30, 0}, {}}, {{10, 0}, {3}}, {{20, 0}, {}}}, false},
        // Beyond the whole points of the board, the contact is still exact.
        {"a circle a point off a link, fractional", {{{0.5f, 0}, {1}}, {{3000.5f, 0}, {}}, {{1500.25f, 1}, {}}}, false},
        {"the same circle a float's step further",
         {{{0.5f, 0}, {1}}, {{3000.5f, 0}, {}}, {{1500.25f, justOverAPoint}, {}}},
         true},
        {"a circle on a link, huge coordinates", {{{0, 0}, {1}}, {{-3e6f, 1e6f}, {}}, {{-1.5e6f, 0.5e6f}, {}}}, false},
        {"a circle beside it, huge coordinates", {{{0, 0}, {1}}, {{-3e6f, 1e6f}, {}}, {{-1.5e6f, 0.6e6f}, {}}}, true},
        {"a circle a point off a link, at infinity", {{{0, 0}, {1}}, {{INFINITY, 0}, {}}, {{5, 1}, {}}}, true},
    };
    for (const auto& [what, board, solved] : cases) {
        EXPECT_EQ(core::isSolved(board), solved) << what;
        EXPECT_EQ(crossed(board, core::hasCrossing), crossed(board, core::hasCrossingAllPairs)) << what;
    }
}

// The fast test decides in integers what the reference loop works out in
// rounded floats. On whole points across the range where the two must agree,
// near misses rounding would decide: one link's ends put on or a point
// beside another's line, or a step from its ends.
TEST(CrossingTest, TheFastTestAgreesWithEveryPairOnWholePoints) {
    std::mt19937 engine(2024);
    const auto whole = [&](int low, int high) {
        return static_cast<float>(std::uniform_int_distribution<int>(low, high)(engine));
    };
    const float range = core::kWholePointRange;
    const auto anywhere = [&] { return Point{whole(0, range), whole(0, range)}; };
    std::map<bool, int> answers;
    for (int round = 0; round < 40000; ++round) {
        const Point a = anywhere(), b = anywhere();
        const auto near = [&](Point from, Point to) {
            const float t = std::uniform_real_distribution<float>(-0.2f, 1.2f)(engine);
            const auto at = [&](float p, float q) {
                return std::clamp(std::round(p + (q - p) * t) + whole(-1, 1), 0.0f, range);
            };
            return Point{at(from.x, to.x), at(from.y, to.y)};
        };
        const Point c = round % 2 ? near(a, b) : anywhere();
        const Board board{{a, {1}}, {b, {}}, {c, {3}}, {round % 3 ? near(a, b) : near(c, b), {}}};
        const bool expected = crossed(board, core::hasCrossingAllPairs);
        ASSERT_EQ(crossed(board, core::hasCrossing), expected) << round;
        ++answers[expected];
    }
    // Among many links, one more that may come near one of them: the fast
    // test must still compare the two.
    for (int round = 0; round < 300; ++round) {
        Board board;
        for (int i = 0; i < 120; ++i) {
            const float x = 6.0f * static_cast<float>(i % 12), y = 5.0f * static_cast<float>(i / 12);
            board.push_back({{x, y}, {static_cast<std::int32_t>(board.size() + 1)}});
            board.push_back({{x + 3, y + whole(0, 1)}, {}});
        }
        const Point d = anywhere(), e = {whole(0, 72), whole(0, 50)};
        const bool longLinkAtARow = round % 3 == 0;
        if (longLinkAtARow) {
            // A long link from a circle at the end of a row and nearly along
            // its short one: the two are near only at that circle. It is
            // listed first there, or last, at its far end.
            const std::size_t hub = 2 * (12 * static_cast<std::size_t>(whole(0, 9)) + 11);
            const Point far{board[hub].coord.x + whole(10, 40), board[hub].coord.y + whole(-2, 2)};
            if (round % 2 == 0) {
                board[hub].link.insert(board[hub].link.begin(), static_cast<std::int32_t>(board.size()));
                board.push_back({far, {}});
            } else {
                board.push_back({far, {static_cast<std::int32_t>(hub)}});
            }
        } else {
            board.push_back({d, {static_cast<std::int32_t>(board.size() + 1)}});
            board.push_back({round % 2 ? e : Point{d.x + 1, d.y}, {}});
        }
        const bool expected = crossed(board, core::hasCrossingAllPairs);
        ASSERT_EQ(crossed(board, core::hasCrossing), expected) << round;
        // That far circle lies apart from the rest: no two share a centre.
        if (longLinkAtARow) ASSERT_EQ(core::isSolved(board), !expected) << round;
        ++answers[expected];
    }
    // A lone point at an end of a link a point long, listed before or after it.
    const Segment point({5, 5}, {5, 5}), link({5, 5}, {6, 5});
    for (const std::vector<Segment>& segments : {std::vector{point, link}, std::vector{link, point}}) {
        EXPECT_TRUE(core::hasCrossingAllPairs(segments));
        EXPECT_TRUE(core::hasCrossing(segments));
    }
    // Both answers occur often, or the comparison would prove little.
    EXPECT_GT(std::min(answers[false], answers[true]), 5000) << answers[false] << " " << answers[true];
}

// The kept answer follows every move as a fresh check would: a grid of
// links with a diagonal in each cell, and a hub linked to the rest, moved
// by one step, onto a link, onto another circle, far away and back.
TEST(CrossingIndexTest, KeepsTheAnswerOfAFreshCheckAsCirclesMove) {
    constexpr int side = 8;
    Board board;
    for (int i = 0; i < side * side; ++i) {
        const int row = i / side, column = i % side;
        std::vector<std::int32_t> link;
        if (column + 1 < side) link.push_back(i + 1);
        if (row + 1 < side) link.push_back(i + side);
        board.push_back({{static_cast<float>(40 + 12 * column), static_cast<float>(30 + 10 * row)}, link});
    }
    board.push_back({{80, 5}, {0, side - 1}});
    board.push_back({{310, 460}, {}});
    const Board home = board;
    core::CrossingIndex index(board);
    std::mt19937 engine(11);
    const auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(engine); };
    std::map<bool, int> answers;
    std::size_t circle = 0;
    for (int move = 0; move < 3000; ++move) {
        if (move % 2 == 0) circle = pick(board.size()); // moved, then put back
        Point& centre = board[circle].coord;
        const Point other = board[pick(board.size())].coord;
        const Point choices[] = {
            home[circle].coord,
            {centre.x + static_cast<float>(pick(3)) - 1, centre.y + static_cast<float>(pick(3)) - 1},
            other,
            {std::round((other.x + centre.x) / 2), std::round((other.y + centre.y) / 2)},
            {static_cast<float>(pick(321)), static_cast<float>(pick(481))}};
        const Point chosen = choices[move % 2 ? 0 : 1 + pick(4)];
        centre = {std::max(chosen.x, 0.0f), std::max(chosen.y, 0.0f)};
        index.moveCircle(circle, centre);
        ASSERT_EQ(index.isSolved(), core::isSolved(board)) << move;
        ++answers[index.isSolved()];
        if (move % 50 == 0) { // a fresh start now and then, solved or not
            index = core::CrossingIndex(board);
            ASSERT_EQ(index.isSolved(), core::isSolved(board)) << move;
        }
    }
    EXPECT_GT(std::min(answers[false], answers[true]), 100) << answers[false] << " " << answers[true];
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

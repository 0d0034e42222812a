#include "core/crossing.h"
#include "core/generator.h"

#include "support/scripted_random.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/boyer_myrvold_planar_test.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace {

using core::Board;
using testkit::ScriptedRandom;

constexpr int kWidth = 320;
constexpr int kHeight = 480;

Board generate(int nodeCount, ScriptedRandom& random)
{
    core::seedFromClock(random);
    return core::generateBoard(nodeCount, kWidth, kHeight, random);
}

bool isPlanar(const Board& board)
{
    boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS> graph(board.size());
    std::set<std::pair<std::size_t, std::size_t>> edges;
    for (std::size_t i = 0; i < board.size(); ++i) {
        for (const std::int32_t target : board[i].link) {
            const auto t = static_cast<std::size_t>(target);
            if (edges.insert({std::min(i, t), std::max(i, t)}).second) {
                boost::add_edge(i, t, graph);
            }
        }
    }
    return boost::boyer_myrvold_planarity_test(graph);
}

TEST(GeneratorTest, NodesHaveOneOrTwoDistinctTargetsOtherThanThemselves)
{
    ScriptedRandom random(1'700'000'000);
    for (int round = 0; round < 200; ++round) {
        random.setTime(1'700'000'000 + round);
        const Board board = generate(7 + round % 40, random);
        std::size_t entries = 0;
        for (std::size_t i = 0; i < board.size(); ++i) {
            const auto& link = board[i].link;
            entries += link.size();
            EXPECT_LE(link.size(), 2u);
            EXPECT_FALSE(core::Exists(link, static_cast<std::int32_t>(i)));
            EXPECT_EQ(std::set<std::int32_t>(link.begin(), link.end()).size(), link.size());
            for (const std::int32_t target : link) {
                EXPECT_GE(target, 0);
                EXPECT_LT(target, static_cast<std::int32_t>(board.size()));
            }
        }
        // Every node has at least one target while the graph is far from full.
        EXPECT_GE(entries, board.size());
    }
}

TEST(GeneratorTest, SevenNodeBoardsHoldSevenToFourteenEntries)
{
    ScriptedRandom random(1'700'000'000);
    for (int round = 0; round < 500; ++round) {
        random.setTime(round);
        const Board board = generate(7, random);
        ASSERT_EQ(board.size(), 7u);
        std::size_t entries = 0;
        for (const auto& node : board) {
            EXPECT_GE(node.link.size(), 1u);
            entries += node.link.size();
        }
        EXPECT_GE(entries, 7u);
        EXPECT_LE(entries, 14u);
    }
}

TEST(GeneratorTest, CentresLieOnWholePointsInTheirRange)
{
    ScriptedRandom random;
    std::set<float> xs, ys;
    for (int round = 0; round < 100; ++round) {
        random.setTime(round);
        for (const auto& node : generate(50, random)) {
            EXPECT_GE(node.coord.x, 45.0f);
            EXPECT_LE(node.coord.x, kWidth - 6.0f);
            EXPECT_GE(node.coord.y, 45.0f);
            EXPECT_LE(node.coord.y, kHeight - 6.0f);
            EXPECT_EQ(node.coord.x, static_cast<float>(static_cast<int>(node.coord.x)));
            EXPECT_EQ(node.coord.y, static_cast<float>(static_cast<int>(node.coord.y)));
            xs.insert(node.coord.x);
            ys.insert(node.coord.y);
        }
    }
    // 5,000 draws reach both ends of each range.
    EXPECT_EQ(*xs.begin(), 45.0f);
    EXPECT_EQ(*xs.rbegin(), kWidth - 6.0f);
    EXPECT_EQ(*ys.begin(), 45.0f);
    EXPECT_EQ(*ys.rbegin(), kHeight - 6.0f);
}

TEST(GeneratorTest, DrawsLinkCountThenXThenYFromRand)
{
    // Three nodes can never be tangled, as a star (second 98) or a triangle (99): they keep their first deal.
    for (const auto& [n, seed] : {std::pair{10, 99}, {3, 98}, {3, 99}}) {
        ScriptedRandom expected;
        expected.srand(static_cast<unsigned>(seed));
        ScriptedRandom random(seed);
        const Board board = generate(n, random);
        for (std::size_t i = 0; i < board.size(); ++i) {
            const auto linkCount = static_cast<std::size_t>(expected.rand() % 2 + 1);
            // A position on a circle already placed is drawn again.
            core::Point drawn;
            for (int draw = 0; draw < 10 && !(drawn == board[i].coord); ++draw) {
                const int x = expected.rand() % (kWidth - 50) + 30;
                const int y = expected.rand() % (kHeight - 50) + 30;
                if (draw > 0) {
                    EXPECT_TRUE(std::any_of(board.begin(), board.begin() + static_cast<std::ptrdiff_t>(i), [&](const auto& node) {
                        return std::hypot(node.coord.x - drawn.x, node.coord.y - drawn.y) < 30.0f;
                    })) << n << " nodes, node " << i << " drawn again";
                }
                drawn = {static_cast<float>(x + 15), static_cast<float>(y + 15)};
            }
            EXPECT_EQ(drawn, board[i].coord) << n << " nodes, node " << i;
            EXPECT_LE(board[i].link.size(), linkCount);
        }
    }
}

TEST(GeneratorTest, DealsTangledBoardsWithEveryCircleInSight)
{
    ScriptedRandom random;
    for (int n = 7; n <= 20; ++n) {
        for (int round = 0; round < 40; ++round) {
            random.setTime(n * 1000 + round);
            const Board board = generate(n, random);
            EXPECT_FALSE(core::isSolved(board)) << n << " nodes, round " << round;
            for (std::size_t i = 0; i < board.size(); ++i) {
                for (std::size_t j = i + 1; j < board.size(); ++j) {
                    EXPECT_GE(std::hypot(board[i].coord.x - board[j].coord.x, board[i].coord.y - board[j].coord.y), 30.0f)
                        << n << " nodes, round " << round << ", nodes " << i << " and " << j;
                }
            }
        }
    }
}

TEST(GeneratorTest, TakesTargetsInTheOrderArc4randomGivesThem)
{
    // A second in which the first two nodes each want two links.
    std::int64_t now = 0;
    for (;; ++now) {
        ScriptedRandom probe;
        probe.srand(static_cast<unsigned>(now));
        const int first = probe.rand() % 2;
        probe.rand();
        probe.rand();
        if (first == 1 && probe.rand() % 2 == 1) {
            break;
        }
    }
    ScriptedRandom random(now);
    // Node 0: itself (drawn again), 3, 3 again (listed), then 6 % 5 = 1.
    // Node 1: 3, then 0, which already lists node 1: a mutual link.
    random.scriptArc4random({0, 3, 3, 6, 3, 0});
    const Board board = generate(5, random);
    EXPECT_EQ(board[0].link, (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(board[1].link, (std::vector<std::int32_t>{3, 0}));
}

TEST(GeneratorTest, BoardsOfOneSecondShareTheirDrawsFromRand)
{
    // rand() is seeded with the second, arc4random() is not: the same
    // second deals the same positions to the same targets, other targets
    // in the same second get other links, and the next second moves circles.
    for (int n : {7, 14, 60}) {
        ScriptedRandom first(1'234'567, 1);
        ScriptedRandom again(1'234'567, 1);
        ScriptedRandom other(1'234'567, 2);
        const Board a = generate(n, first);
        EXPECT_EQ(a, generate(n, again)) << n;
        const Board b = generate(n, other);
        EXPECT_TRUE(std::mismatch(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) { return x.link == y.link; }).first != a.end()) << n;
        other.setTime(1'234'568);
        const Board later = generate(n, other);
        EXPECT_TRUE(std::mismatch(a.begin(), a.end(), later.begin(), [](const auto& x, const auto& y) { return x.coord == y.coord; }).first != a.end()) << n;
    }
}

TEST(GeneratorTest, TinyBoardsEnd)
{
    ScriptedRandom random;
    EXPECT_TRUE(generate(0, random).empty());
    const Board one = generate(1, random);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0].link.empty());
    for (int round = 0; round < 50; ++round) {
        random.setTime(round);
        const Board two = generate(2, random);
        ASSERT_EQ(two.size(), 2u);
        EXPECT_EQ(two[0].link, std::vector<std::int32_t>{1});
        EXPECT_EQ(two[1].link, std::vector<std::int32_t>{0});
    }
}

TEST(GeneratorTest, RefusesScreensWithoutRoomForACircle)
{
    ScriptedRandom random;
    EXPECT_THROW(core::generateBoard(7, 50, kHeight, random), std::invalid_argument);
    EXPECT_THROW(core::generateBoard(7, kWidth, 50, random), std::invalid_argument);
    EXPECT_THROW(core::generateBoard(-1, kWidth, kHeight, random), std::invalid_argument);
}

TEST(GeneratorTest, EveryBoardIsPlanar)
{
    ScriptedRandom random;
    int boards = 0;
    for (int n = 3; n <= 300; ++n) {
        const int rounds = n <= 60 ? 40 : 6;
        for (int round = 0; round < rounds; ++round, ++boards) {
            random.setTime(n * 1000 + round);
            ASSERT_TRUE(isPlanar(generate(n, random))) << n << " nodes, round " << round;
        }
    }
    EXPECT_GT(boards, 3000);
}

} // namespace

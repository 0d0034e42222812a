#include "core/crossing.h"
#include "core/generator.h"

#include "support/scripted_random.h"
#include "support/solver.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <stdexcept>

namespace {

using core::Board;
using testkit::ScriptedRandom;

Board generate(int nodeCount, ScriptedRandom& random) {
    core::seedFromClock(random);
    return core::generateBoard(nodeCount, random);
}

// Every level is dealt tangled and can be won: the solver lays its graph out
// without a crossing. Up to 54 circles, which cover just under a quarter of
// the board, no two overlap; at any count no two share a centre.
TEST(GeneratorTest, DealsTangledLevelsThatCanBeWon) {
    ScriptedRandom random;
    random.setTime(1);
    const Board full = generate(4000, random);
    std::set<std::pair<float, float>> centres;
    for (const auto& node : full) centres.emplace(node.coord.x, node.coord.y);
    EXPECT_EQ(centres.size(), full.size());
    // More circles than whole points to deal them on cannot be dealt apart.
    EXPECT_THROW(generate(260 * 420 + 1, random), std::invalid_argument);

    std::set<float> xs, ys;
    for (int n = 0; n <= 138; ++n) {
        for (int round = 0; round < (n <= 54 ? 20 : 3); ++round) {
            random.setTime(n * 1000 + round);
            Board board = generate(n, random);
            for (std::size_t i = 0; i < board.size(); ++i) {
                const auto& [centre, link] = board[i];
                xs.insert(centre.x);
                ys.insert(centre.y);
                EXPECT_TRUE(link.size() <= 2 && (n < 7 || !link.empty()) &&
                            std::set(link.begin(), link.end()).size() == link.size())
                    << n << " nodes, node " << i;
                for (const std::int32_t t : link) EXPECT_TRUE(t >= 0 && t < n && t != static_cast<std::int32_t>(i));
                for (std::size_t j = 0; n <= 54 && j < i; ++j) {
                    EXPECT_GE(std::hypot(centre.x - board[j].coord.x, centre.y - board[j].coord.y), 30.0f)
                        << n << " nodes, round " << round;
                }
            }
            EXPECT_TRUE(n < 7 || !core::isSolved(board)) << n << " nodes, round " << round;
            // A saved game keeps the board as dealt, and must load again.
            EXPECT_EQ(core::checkDescription(core::describe(board), n).reason(), "") << n << " nodes";
            const auto layout = testkit::solveLayout(board, core::kDragArea);
            for (std::size_t i = 0; i < board.size(); ++i) board[i].coord = layout[i];
            EXPECT_TRUE(core::isSolved(board)) << n << " nodes, round " << round;
        }
    }
    // The draws reach both ends of each range.
    EXPECT_EQ((std::array{*xs.begin(), *xs.rbegin(), *ys.begin(), *ys.rbegin()}),
              (std::array{45.0f, 304.0f, 45.0f, 464.0f}));
}

TEST(GeneratorTest, DrawsLinkCountThenXThenYFromRandSeededWithTheSecond) {
    // Three nodes cannot be tangled, as a star (second 98) or a triangle
    // (99): they keep their first deal. Ten nodes of second 99 do too.
    for (const auto& [n, second] : {std::pair{10, 99}, {3, 98}, {3, 99}}) {
        ScriptedRandom expected, random(second);
        expected.srand(static_cast<unsigned>(second));
        const Board board = generate(n, random);
        for (std::size_t i = 0; i < board.size(); ++i) {
            const auto linkCount = static_cast<std::size_t>(expected.rand() % 2 + 1);
            // A position on a circle already placed is drawn again.
            core::Point drawn;
            for (int draw = 0; draw < 10 && !(drawn == board[i].coord); ++draw) {
                const float x = static_cast<float>(expected.rand() % 260 + 45);
                drawn = {x, static_cast<float>(expected.rand() % 420 + 45)};
            }
            EXPECT_EQ(drawn, board[i].coord) << n << " nodes, node " << i;
            EXPECT_LE(board[i].link.size(), linkCount);
        }
    }
}

TEST(GeneratorTest, TakesTargetsInTheOrderArc4randomGivesThem) {
    // At second 0 the first two nodes each want two links. Node 0 draws
    // itself (drawn again), 3, 3 again (listed), then 6 % 5 = 1; node 1
    // draws 3, then 0, which already lists node 1: a mutual link.
    ScriptedRandom random;
    random.scriptArc4random({0, 3, 3, 6, 3, 0});
    const Board board = generate(5, random);
    EXPECT_EQ(board[0].link, (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(board[1].link, (std::vector<std::int32_t>{3, 0}));
}

} // namespace

#include "core/crossing.h"
#include "core/generator.h"

#include "support/scripted_random.h"
#include "support/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

TEST(SolverTest, LaysOutEveryGeneratedBoardWithoutCrossings)
{
    testkit::ScriptedRandom random(1'700'000'000);
    const testkit::PlayArea area = testkit::kGamePlayArea;
    for (int n = 0; n <= 100; ++n) {
        for (int round = 0; round < 5; ++round) {
            random.setTime(n * 10 + round);
            core::seedFromClock(random);
            core::Board board = core::generateBoard(n, 320, 480, random);
            const std::vector<core::Point> layout = testkit::solveLayout(board, area);
            ASSERT_EQ(layout.size(), board.size());
            for (std::size_t i = 0; i < board.size(); ++i) {
                const core::Point p = layout[i];
                EXPECT_TRUE(p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom);
                EXPECT_EQ(p.x, std::floor(p.x));
                EXPECT_EQ(p.y, std::floor(p.y));
                board[i].coord = p;
            }
            EXPECT_TRUE(core::isSolved(board)) << n << " nodes, round " << round;
            auto segments = core::buildSegments(board);
            EXPECT_FALSE(core::hasCrossingAllPairs(segments)) << n << " nodes, round " << round;
        }
    }
}

TEST(SolverTest, RefusesBoardsTooLargeForTheArea)
{
    testkit::ScriptedRandom random(42);
    core::seedFromClock(random);
    const core::Board board = core::generateBoard(139, 320, 480, random);
    EXPECT_THROW(testkit::solveLayout(board, testkit::kGamePlayArea), std::invalid_argument);
}

TEST(SolverTest, KeepsNodesTheDocumentedDistanceApart)
{
    testkit::ScriptedRandom random(42);
    const testkit::PlayArea area = testkit::kGamePlayArea;
    for (const int n : {3, 6, 7, 14, 40, 100}) {
        core::seedFromClock(random);
        const core::Board board = core::generateBoard(n, 320, 480, random);
        const auto layout = testkit::solveLayout(board, area);
        const float promised = std::min(std::floor((area.right - area.left) / static_cast<float>(2 * n - 4)),
                                        std::floor((area.bottom - area.top) / static_cast<float>(n - 2)));
        float closest = INFINITY;
        for (std::size_t i = 0; i < layout.size(); ++i) {
            for (std::size_t j = i + 1; j < layout.size(); ++j) {
                closest = std::min(closest, std::hypot(layout[i].x - layout[j].x, layout[i].y - layout[j].y));
            }
        }
        EXPECT_GE(closest, promised) << n;
        if (n <= 6) {
            EXPECT_GE(closest, 30.0f) << n;
        }
    }
}

} // namespace

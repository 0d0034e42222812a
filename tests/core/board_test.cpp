#include "core/board.h"
#include "core/generator.h"

#include "support/scripted_random.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using core::Board;
using core::BoardDescription;

TEST(ExistsTest, FindsOnlyListedValues)
{
    EXPECT_FALSE(core::Exists({}, 0));
    EXPECT_TRUE(core::Exists({4, 7, 4}, 4));
    EXPECT_TRUE(core::Exists({4, 7}, 7));
    EXPECT_FALSE(core::Exists({4, 7}, 5));
}

TEST(DescribeTest, TruncatesCentresTowardZero)
{
    const Board board{{{12.9f, -3.7f}, {1}}, {{-0.5f, 479.99f}, {}}};
    const BoardDescription description = core::describe(board);
    EXPECT_EQ(description.xNodes, (std::vector<std::int32_t>{12, 0}));
    EXPECT_EQ(description.yNodes, (std::vector<std::int32_t>{-3, 479}));
    EXPECT_EQ(description.Links, (std::vector<std::vector<std::int32_t>>{{1}, {}}));
}

TEST(RebuildTest, RoundTripKeepsWholeCentresAndLinks)
{
    testkit::ScriptedRandom random(1'700'000'000);
    core::seedFromClock(random);
    Board board = core::generateBoard(40, 320, 480, random);
    board[3].coord = {100.75f, 200.25f}; // as a drag may leave it
    const auto rebuilt = core::rebuildBoard(core::describe(board), 40);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.problem;
    ASSERT_EQ(rebuilt.board->size(), board.size());
    for (std::size_t i = 0; i < board.size(); ++i) {
        const core::Point expected{static_cast<float>(static_cast<int>(board[i].coord.x)),
                                   static_cast<float>(static_cast<int>(board[i].coord.y))};
        EXPECT_EQ((*rebuilt.board)[i].coord, expected);
        EXPECT_EQ((*rebuilt.board)[i].link, board[i].link);
    }
    EXPECT_EQ((*rebuilt.board)[3].coord, (core::Point{100.0f, 200.0f}));
}

TEST(RebuildTest, KeepsEmptyAndMutualListsAndIgnoresExtraEntries)
{
    const BoardDescription description{{0, 20, 10'000, 99'999}, {11, 10'000, 0, -1}, {{1}, {0, 2}, {}, {0, 1, 2}}};
    const auto rebuilt = core::rebuildBoard(description, 3);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.problem;
    const Board& board = *rebuilt.board;
    ASSERT_EQ(board.size(), 3u);
    EXPECT_EQ(board[1].coord, (core::Point{20.0f, 10'000.0f}));
    EXPECT_EQ(board[1].link, (std::vector<std::int32_t>{0, 2}));
    EXPECT_TRUE(board[2].link.empty());
    EXPECT_TRUE(rebuilt.problem.empty());

    const auto empty = core::rebuildBoard({}, 0);
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty.board->empty());
}

struct BadCase {
    const char* name;
    BoardDescription description;
    int nodeCount;
    const char* reason; // a part of the expected sentence
};

TEST(RebuildTest, RefusesUnusableDescriptionsWithAReason)
{
    const BadCase cases[] = {
        {"negative count", {{1}, {1}, {{}}}, -1, "node count -1 is negative"},
        {"absurd count", {}, 100'001, "node count 100001 is more than 100000"},
        {"short x list", {{1}, {1, 2}, {{}, {}}}, 2, "2 nodes but only 1 x coordinates"},
        {"short y list", {{1, 2}, {}, {{}, {}}}, 2, "2 nodes but only 0 y coordinates"},
        {"short link lists", {{1, 2}, {1, 2}, {{1}}}, 2, "2 nodes but only 1 link lists"},
        {"index past the end", {{1, 2}, {1, 2}, {{1}, {2}}}, 2,
         "Node 1 links to node 2, which does not exist on a board of 2 nodes"},
        {"index of a node beyond the count", {{1, 2, 3}, {1, 2, 3}, {{2}, {}, {}}}, 2,
         "Node 0 links to node 2, which does not exist"},
        {"negative index", {{1, 2}, {1, 2}, {{1}, {-1}}}, 2, "Node 1 links to node -1"},
        {"self link", {{1, 2}, {1, 2}, {{1}, {0, 1}}}, 2, "Node 1 links to itself"},
        {"negative centre", {{1, 2}, {1, -1}, {{}, {}}}, 2, "Node 1 lies at (2, -1), outside the play area"},
        {"centre far away", {{1, 10'001}, {1, 2}, {{}, {}}}, 2, "Node 1 lies at (10001, 2)"},
        {"centre at the 32-bit limit", {{2'147'483'647}, {1}, {{}}}, 1, "Node 0 lies at (2147483647, 1)"},
        {"three links", {{1, 2, 3, 4}, {1, 2, 3, 4}, {{1, 2, 3}, {}, {}, {}}}, 4, "Node 0 has 3 links; a node has at most 2"},
    };
    for (const BadCase& bad : cases) {
        const auto result = core::rebuildBoard(bad.description, bad.nodeCount);
        EXPECT_FALSE(result.ok()) << bad.name;
        EXPECT_NE(result.problem.find(bad.reason), std::string::npos) << bad.name << ": " << result.problem;
    }
}

} // namespace

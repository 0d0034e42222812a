#include "core/board.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using core::Board;

TEST(BoardTest, RebuildsTheWholeCentresAndLinksItDescribes) {
    // Centres truncated toward zero, as a drag may leave them; the count
    // cuts longer lists short.
    const Board board{{{12.9f, 3.7f}, {1}}, {{20.5f, 479.99f}, {0, 2}}, {{10'000, 0}, {}}, {{1, 1}, {0, 1}}};
    EXPECT_EQ(core::describe(Board{{{-0.5f, -3.7f}, {}}}).yNodes, std::vector<std::int32_t>{-3});
    const auto rebuilt = core::rebuildBoard(core::describe(board), 3);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.reason();
    EXPECT_EQ(*rebuilt, (Board{{{12, 3}, {1}}, {{20, 479}, {0, 2}}, {{10'000, 0}, {}}}));
    EXPECT_TRUE(core::rebuildBoard({}, 0)->empty());
    const std::vector<std::int32_t> ones(100'000, 1); // the largest count taken
    EXPECT_TRUE(core::rebuildBoard({ones, ones, std::vector<std::vector<std::int32_t>>(100'000)}, 100'000).ok());
}

TEST(BoardTest, RefusesUnusableDescriptionsWithAReason) {
    const struct { core::BoardDescription description; int nodeCount; const char* reason; } cases[] = {
        {{{1}, {1}, {{}}}, -1, "node count -1 is negative"},
        {{}, 100'001, "node count 100001 is more than 100000"},
        {{{1}, {1, 2}, {{}, {}}}, 2, "2 nodes but only 1 x coordinates"},
        {{{1, 2}, {}, {{}, {}}}, 2, "2 nodes but only 0 y coordinates"},
        {{{1, 2}, {1, 2}, {{1}}}, 2, "2 nodes but only 1 link lists"},
        {{{1, 2}, {1, 2}, {{1}, {2}}}, 2, "Node 1 links to node 2, which does not exist on a board of 2 nodes"},
        {{{1, 2, 3}, {1, 2, 3}, {{2}, {}, {}}}, 2, "Node 0 links to node 2, which does not exist"},
        {{{1, 2}, {1, 2}, {{1}, {-1}}}, 2, "Node 1 links to node -1"},
        {{{1, 2}, {1, 2}, {{1}, {0, 1}}}, 2, "Node 1 links to itself"},
        {{{1, 2}, {1, -1}, {{}, {}}}, 2, "Node 1 lies at (2, -1), outside the play area"},
        {{{1, 10'001}, {1, 2}, {{}, {}}}, 2, "Node 1 lies at (10001, 2)"},
        {{{2'147'483'647}, {1}, {{}}}, 1, "Node 0 lies at (2147483647, 1)"},
        {{{1, 2, 3, 4}, {1, 2, 3, 4}, {{1, 2, 3}, {}, {}, {}}}, 4, "Node 0 has 3 links; a node has at most 2"},
    };
    for (const auto& c : cases) {
        const auto result = core::rebuildBoard(c.description, c.nodeCount);
        EXPECT_FALSE(result.ok()) << c.reason;
        EXPECT_NE(result.reason().find(c.reason), std::string::npos) << result.reason();
    }
}

} // namespace

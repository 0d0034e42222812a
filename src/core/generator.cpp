#include "core/generator.h"

#include "core/plane_embedding.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace core {

void seedFromClock(RandomSource& random)
{
    random.srand(static_cast<unsigned>(random.time()));
}

namespace {

// Frame origins are drawn in [30, size - 21]; circles start clear of the
// screen's left and top edges.
constexpr int kMargin = 30;
constexpr int kSpread = 50;

// Draws the targets of `node` until it holds `count` links or no target is
// left. `ruledOutFor[t] == node` marks targets this node has already seen
// fail (itself, listed ones, ones that would break planarity): the graph
// only grows, so a target that failed stays failed.
void chooseLinks(Board& board, std::int32_t node, std::size_t count, PlaneEmbedding& plane,
                 std::vector<std::int32_t>& ruledOutFor, RandomSource& random)
{
    const auto nodeCount = static_cast<std::uint32_t>(board.size());
    std::size_t ruledOut = 0;
    const auto ruleOut = [&](std::int32_t target) {
        if (ruledOutFor[static_cast<std::size_t>(target)] != node) {
            ruledOutFor[static_cast<std::size_t>(target)] = node;
            ++ruledOut;
        }
    };
    ruleOut(node);
    std::vector<std::int32_t>& links = board[static_cast<std::size_t>(node)].link;
    while (links.size() < count && ruledOut < nodeCount) {
        const auto target = static_cast<std::int32_t>(random.arc4random() % nodeCount);
        if (ruledOutFor[static_cast<std::size_t>(target)] == node) {
            continue;
        }
        ruleOut(target);
        // A target that already lists this node adds no new line.
        const bool mutual = Exists(board[static_cast<std::size_t>(target)].link, node);
        if (mutual || plane.canJoin(node, target)) {
            if (!mutual) {
                plane.join(node, target);
            }
            links.push_back(target);
        }
    }
}

} // namespace

Board generateBoard(int nodeCount, int width, int height, RandomSource& random)
{
    if (nodeCount < 0 || width <= kSpread || height <= kSpread) {
        throw std::invalid_argument("generateBoard needs a node count of 0 or more and a screen larger than 50 x 50");
    }
    Board board(static_cast<std::size_t>(nodeCount));
    PlaneEmbedding plane(board.size());
    std::vector<std::int32_t> ruledOutFor(board.size(), -1);
    for (std::int32_t i = 0; i < nodeCount; ++i) {
        const auto linkCount = static_cast<std::size_t>(random.rand() % 2 + 1);
        const int x = random.rand() % (width - kSpread) + kMargin;
        const int y = random.rand() % (height - kSpread) + kMargin;
        board[static_cast<std::size_t>(i)].coord = {static_cast<float>(x + kCircleHalf),
                                                    static_cast<float>(y + kCircleHalf)};
        chooseLinks(board, i, linkCount, plane, ruledOutFor, random);
    }
    return board;
}

} // namespace core

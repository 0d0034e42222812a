#include "core/generator.h"

#include "core/crossing.h"
#include "core/plane_embedding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace core {

void seedFromClock(RandomSource& random) { random.srand(static_cast<unsigned>(random.time())); }

namespace {

// Draws of a position that may land on a circle already placed, and deals
// of positions that may come out untangled, before taking what came.
constexpr int kSpacingDraws = 10;
constexpr int kDeals = 100;

// The centres dealt so far, bucketed by the circle's width, so that a draw
// which would hide part of a placed circle can be told at once.
class PlacedCentres {
public:
    PlacedCentres()
        : columns_(static_cast<std::size_t>(kBoardWidth / kCircleSize + 1)),
          cells_(columns_ * static_cast<std::size_t>(kBoardHeight / kCircleSize + 1)) {}

    bool crowds(Point centre) const {
        const auto [column, row] = cellOf(centre);
        for (std::size_t r = std::max<std::size_t>(row, 1) - 1; r <= row + 1; ++r) {
            for (std::size_t c = std::max<std::size_t>(column, 1) - 1; c <= column + 1 && c < columns_; ++c) {
                const std::size_t cell = r * columns_ + c;
                if (cell < cells_.size() && std::any_of(cells_[cell].begin(), cells_[cell].end(), [&](Point placed) {
                        const float dx = placed.x - centre.x;
                        const float dy = placed.y - centre.y;
                        return dx * dx + dy * dy < static_cast<float>(kCircleSize * kCircleSize);
                    })) {
                    return true;
                }
            }
        }
        return false;
    }

    void add(Point centre) {
        const auto [column, row] = cellOf(centre);
        cells_[row * columns_ + column].push_back(centre);
    }

    void clear() {
        for (auto& cell : cells_) {
            cell.clear();
        }
    }

private:
    std::pair<std::size_t, std::size_t> cellOf(Point centre) const {
        return {std::min(static_cast<std::size_t>(centre.x) / kCircleSize, columns_ - 1),
                static_cast<std::size_t>(centre.y) / kCircleSize};
    }

    std::size_t columns_;
    std::vector<std::vector<Point>> cells_;
};

// rand() for x, then for y, drawn again while the circle would overlap one
// already placed, until the area is too full to care.
Point drawCentre(PlacedCentres& placed, RandomSource& random) {
    constexpr Area area = kDealArea;
    Point centre;
    for (int draw = 0; draw < kSpacingDraws; ++draw) {
        const int x = random.rand() % (area.right - area.left + 1) + area.left;
        const int y = random.rand() % (area.bottom - area.top + 1) + area.top;
        centre = {static_cast<float>(x), static_cast<float>(y)};
        if (!placed.crowds(centre)) {
            break;
        }
    }
    placed.add(centre);
    return centre;
}

// True when no two links can cross however the circles stand: every two
// share a circle, which only a star or a triangle allows.
bool everyTwoLinksShareACircle(const Board& board) {
    std::vector<std::pair<std::int32_t, std::int32_t>> links;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(board.size()); ++i) {
        for (const std::int32_t target : board[static_cast<std::size_t>(i)].link) {
            links.emplace_back(std::min(i, target), std::max(i, target));
        }
    }
    std::sort(links.begin(), links.end());
    links.erase(std::unique(links.begin(), links.end()), links.end());
    if (links.size() <= 1) {
        return true;
    }
    const auto star = [&](std::int32_t centre) {
        return std::all_of(links.begin(), links.end(),
                           [&](const auto& link) { return link.first == centre || link.second == centre; });
    };
    const bool triangle = links.size() == 3 && links[0].first == links[1].first &&
                          links[2] == std::pair{links[0].second, links[1].second};
    return star(links[0].first) || star(links[0].second) || triangle;
}

// Draws the targets of `node` until it holds `count` links or no target is
// left. `ruledOutFor[t] == node` marks targets this node has already seen
// fail (itself, listed ones, ones that would break planarity): the graph
// only grows, so a target that failed stays failed.
void chooseLinks(Board& board, std::int32_t node, std::size_t count, PlaneEmbedding& plane,
                 std::vector<std::int32_t>& ruledOutFor, RandomSource& random) {
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

Board generateBoard(int nodeCount, RandomSource& random) {
    if (nodeCount < 0) {
        throw std::invalid_argument("generateBoard needs a node count of 0 or more");
    }
    Board board(static_cast<std::size_t>(nodeCount));
    PlaneEmbedding plane(board.size());
    std::vector<std::int32_t> ruledOutFor(board.size(), -1);
    PlacedCentres placed;
    for (std::int32_t i = 0; i < nodeCount; ++i) {
        const auto linkCount = static_cast<std::size_t>(random.rand() % 2 + 1);
        board[static_cast<std::size_t>(i)].coord = drawCentre(placed, random);
        chooseLinks(board, i, linkCount, plane, ruledOutFor, random);
    }
    // An untangled board would be won by the first tap: deal the positions
    // again, keeping the links, unless no position could tangle them.
    if (!everyTwoLinksShareACircle(board)) {
        for (int deal = 1; deal < kDeals && isSolved(board); ++deal) {
            placed.clear();
            for (Node& node : board) {
                node.coord = drawCentre(placed, random);
            }
        }
    }
    return board;
}

} // namespace core

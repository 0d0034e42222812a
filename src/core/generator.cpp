#include "core/generator.h"

#include "core/crossing.h"
#include "core/plane_embedding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <vector>

namespace core {

void seedFromClock(RandomSource& random) { random.srand(static_cast<unsigned>(random.time())); }

namespace {

// Draws of a position that may land on a circle already placed, and deals
// of positions that may come out untangled, before taking what came.
constexpr int kSpacingDraws = 10;
constexpr int kDeals = 100;
// Draws, after those, of a position that must be free, before the pick is
// made among the free spots counted outright.
constexpr int kPlacingDraws = 100;

constexpr int kAreaWidth = kDealArea.right - kDealArea.left + 1;
constexpr int kAreaHeight = kDealArea.bottom - kDealArea.top + 1;
constexpr int kAreaSpots = kAreaWidth * kAreaHeight; // whole points

// Circles that together cover less than a quarter of the board leave room
// enough that none needs to overlap another: they are dealt apart.
bool dealtApart(int nodeCount) {
    return nodeCount * std::numbers::pi * kCircleHalf * kCircleHalf < kBoardWidth * kBoardHeight / 4.0;
}

// The centres dealt so far, bucketed by the circle's width, so that a draw
// which would hide part of a placed circle can be told at once, and marked
// by whole point, so that one on a placed centre can.
class PlacedCentres {
public:
    PlacedCentres()
        : columns_(static_cast<std::size_t>(kBoardWidth / kCircleSize + 1)),
          cells_(columns_ * static_cast<std::size_t>(kBoardHeight / kCircleSize + 1)), taken_(kAreaSpots) {}

    bool crowds(Point centre) const {
        const auto [column, row] = cellOf(centre);
        // Its own cell first: on a full board, almost any centre there crowds it.
        for (const std::size_t r : {row, row - 1, row + 1}) {
            for (const std::size_t c : {column, column - 1, column + 1}) {
                // Above the first row or left of the first column, r or c
                // wraps round to a huge value.
                const std::size_t cell = r * columns_ + c;
                if (c < columns_ && cell < cells_.size() &&
                    std::any_of(cells_[cell].begin(), cells_[cell].end(), [&](Point placed) {
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

    bool holds(Point centre) const { return taken_[spotOf(centre)]; }

    void add(Point centre) {
        const auto [column, row] = cellOf(centre);
        cells_[row * columns_ + column].push_back(centre);
        taken_[spotOf(centre)] = true;
    }

    void clear() {
        for (auto& cell : cells_) {
            cell.clear();
        }
        std::fill(taken_.begin(), taken_.end(), false);
    }

private:
    std::pair<std::size_t, std::size_t> cellOf(Point centre) const {
        return {std::min(static_cast<std::size_t>(centre.x) / kCircleSize, columns_ - 1),
                static_cast<std::size_t>(centre.y) / kCircleSize};
    }

    static std::size_t spotOf(Point centre) {
        return static_cast<std::size_t>((static_cast<int>(centre.y) - kDealArea.top) * kAreaWidth +
                                        (static_cast<int>(centre.x) - kDealArea.left));
    }

    std::size_t columns_;
    std::vector<std::vector<Point>> cells_;
    std::vector<bool> taken_; // by whole point of the deal area, row by row
};

// rand() for x, then for y.
Point drawPoint(RandomSource& random) {
    const int x = random.rand() % kAreaWidth + kDealArea.left;
    const int y = random.rand() % kAreaHeight + kDealArea.top;
    return {static_cast<float>(x), static_cast<float>(y)};
}

// One rand() picks among the whole points of the deal area that `fits`;
// none when no point does.
template <typename Fits>
std::optional<Point> pickSpot(Fits fits, RandomSource& random) {
    std::vector<Point> spots;
    for (int y = kDealArea.top; y <= kDealArea.bottom; ++y) {
        for (int x = kDealArea.left; x <= kDealArea.right; ++x) {
            const Point spot{static_cast<float>(x), static_cast<float>(y)};
            if (fits(spot)) {
                spots.push_back(spot);
            }
        }
    }
    if (spots.empty()) {
        return std::nullopt;
    }
    return spots[static_cast<std::size_t>(random.rand()) % spots.size()];
}

// A position drawn again while the circle would overlap one already placed,
// until the area is too full to care; then, if it is not free, drawn again
// until it is. Free means off every placed centre, and clear of every placed
// circle when the circles are dealt `apart` (should no such spot be left,
// off every centre will do). The further draws keep the spot a fair pick
// among the free ones, and so does the pick among them counted outright
// that follows when the draws run out.
Point drawCentre(PlacedCentres& placed, bool apart, RandomSource& random) {
    Point centre = drawPoint(random);
    for (int draw = 1; draw < kSpacingDraws && placed.crowds(centre); ++draw) {
        centre = drawPoint(random);
    }
    const auto offCentres = [&](Point spot) { return !placed.holds(spot); };
    const auto free = [&](Point spot) { return apart ? !placed.crowds(spot) : offCentres(spot); };
    for (int draw = 0; draw < kPlacingDraws && !free(centre); ++draw) {
        centre = drawPoint(random);
    }
    if (!free(centre)) {
        const std::optional<Point> spot = pickSpot(free, random);
        centre = spot ? *spot : *pickSpot(offCentres, random);
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

// Draws of a target among all nodes before a node of the piece holding most
// of them draws among the few it can still take: late in a big board those
// may be a handful among a hundred thousand.
constexpr int kTargetDraws = 8;

// What a node of the piece holding more than half of all nodes, once there
// is one, can still take: the nodes outside that piece, listed, and those on
// its own faces, walked. Nodes that have joined the piece since are dropped
// from the list when drawn.
class MajorityTargets {
public:
    MajorityTargets(PlaneEmbedding& plane, std::size_t nodeCount) : plane_(plane), nodeCount_(nodeCount) {}

    bool contains(std::int32_t node) { return 2 * plane_.pieceSize(node) > nodeCount_; }

    // A fair pick, by one arc4random() a draw, among the targets of `node`,
    // one of the majority, that are not `ruledOut`; none when none is.
    template <typename RuledOut>
    std::optional<std::int32_t> draw(std::int32_t node, RuledOut ruledOut, RandomSource& random) {
        if (!listed_) {
            for (std::int32_t other = 0; other < static_cast<std::int32_t>(nodeCount_); ++other) {
                if (!plane_.connected(other, node)) {
                    outside_.push_back(other);
                }
            }
            listed_ = true;
        }
        // Drawn by place in the list, then along the walk round the faces
        // (never empty: with more than half of two nodes or more, the piece
        // has a link), which is taken only as far as the pick. A node counts
        // at its first place on the walk only; one that has joined the piece
        // is dropped from the list.
        const std::size_t walkLength = plane_.lengthAround(node);
        for (int draw = 0; draw < kTargetDraws; ++draw) {
            const std::size_t pick = random.arc4random() % (outside_.size() + walkLength);
            if (pick >= outside_.size()) {
                const std::vector<int> walk = plane_.walkAround(node, pick - outside_.size() + 1);
                if (!ruledOut(walk.back()) && std::count(walk.begin(), walk.end(), walk.back()) == 1) {
                    return walk.back();
                }
            } else if (!plane_.connected(outside_[pick], node)) {
                return outside_[pick];
            } else {
                outside_[pick] = outside_.back();
                outside_.pop_back();
            }
        }
        // Few targets among many places: counted outright.
        std::erase_if(outside_, [&](std::int32_t other) { return plane_.connected(other, node); });
        std::vector<std::int32_t> targets = plane_.walkAround(node, walkLength);
        std::erase_if(targets, ruledOut);
        std::sort(targets.begin(), targets.end());
        targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
        targets.insert(targets.end(), outside_.begin(), outside_.end());
        if (targets.empty()) {
            return std::nullopt;
        }
        return targets[random.arc4random() % targets.size()];
    }

private:
    PlaneEmbedding& plane_;
    std::size_t nodeCount_;
    bool listed_ = false;
    std::vector<std::int32_t> outside_;
};

// Draws the targets of `node` until it holds `count` links or no target is
// left: each a fair pick among the targets it can take. `ruledOutFor[t] ==
// node` marks targets this node has already seen fail (itself, listed ones,
// ones that would break planarity): the graph only grows, so a target that
// failed stays failed.
void chooseLinks(Board& board, std::int32_t node, std::size_t count, PlaneEmbedding& plane, MajorityTargets& majority,
                 std::vector<std::int32_t>& ruledOutFor, RandomSource& random) {
    const auto nodeCount = static_cast<std::uint32_t>(board.size());
    std::size_t ruledOut = 0;
    const auto ruledOutHere = [&](std::int32_t target) {
        return ruledOutFor[static_cast<std::size_t>(target)] == node;
    };
    const auto ruleOut = [&](std::int32_t target) {
        if (!ruledOutHere(target)) {
            ruledOutFor[static_cast<std::size_t>(target)] = node;
            ++ruledOut;
        }
    };
    ruleOut(node);
    std::vector<std::int32_t>& links = board[static_cast<std::size_t>(node)].link;
    const auto tryTarget = [&](std::int32_t target) {
        ruleOut(target);
        if (plane.canJoin(node, target)) {
            // A target that already lists this node adds no new line.
            if (!Exists(board[static_cast<std::size_t>(target)].link, node)) {
                plane.join(node, target);
            }
            links.push_back(target);
        }
    };
    // Outside the majority, more than half of all nodes are targets.
    for (int draw = 0;
         links.size() < count && ruledOut < nodeCount && (draw < kTargetDraws || !majority.contains(node)); ++draw) {
        const auto target = static_cast<std::int32_t>(random.arc4random() % nodeCount);
        if (!ruledOutHere(target)) {
            tryTarget(target);
        }
    }
    while (links.size() < count && ruledOut < nodeCount) {
        const std::optional<std::int32_t> target = majority.draw(node, ruledOutHere, random);
        if (!target) {
            break;
        }
        tryTarget(*target);
    }
}

} // namespace

Board generateBoard(int nodeCount, RandomSource& random) {
    if (nodeCount < 0 || nodeCount > kAreaSpots) {
        throw std::invalid_argument("generateBoard needs a node count of 0 to the deal area's whole points");
    }
    Board board(static_cast<std::size_t>(nodeCount));
    PlaneEmbedding plane(board.size());
    MajorityTargets majority(plane, board.size());
    std::vector<std::int32_t> ruledOutFor(board.size(), -1);
    PlacedCentres placed;
    const bool apart = dealtApart(nodeCount);
    for (std::int32_t i = 0; i < nodeCount; ++i) {
        const auto linkCount = static_cast<std::size_t>(random.rand() % 2 + 1);
        board[static_cast<std::size_t>(i)].coord = drawCentre(placed, apart, random);
        chooseLinks(board, i, linkCount, plane, majority, ruledOutFor, random);
    }
    // An untangled board would be won by the first tap: deal the positions
    // again, keeping the links, unless no position could tangle them.
    if (!everyTwoLinksShareACircle(board)) {
        for (int deal = 1; deal < kDeals && isSolved(board); ++deal) {
            placed.clear();
            for (Node& node : board) {
                node.coord = drawCentre(placed, apart, random);
            }
        }
    }
    return board;
}

} // namespace core

#pragma once

#include "core/point.h"
#include "core/result.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One circle of the board: its centre and the nodes it links to, by index.
struct Node {
    Point coord;
    std::vector<std::int32_t> link;

    friend bool operator==(const Node&, const Node&) = default;
};

// The nodes of a level; a node's position in the list is its index.
using Board = std::vector<Node>;

// The persistent form of a board: three parallel per-node lists.
struct BoardDescription {
    std::vector<std::int32_t> xNodes; // centre x, truncated toward zero
    std::vector<std::int32_t> yNodes; // centre y, truncated toward zero
    std::vector<std::vector<std::int32_t>> Links;
};

// True when `value` occurs in `list`.
bool Exists(const std::vector<std::int32_t>& list, std::int32_t value);

BoardDescription describe(const Board& board);

// The most circles a board has. The game stops adding a circle a level here,
// where the largest file it saves (500,720 bytes) is still read, checked and
// rebuilt in 16 ms (bench/load_panel_bench.cpp). Dealing no longer bounds
// it: with the game's random source on a 2-core AMD EPYC, 1,000 circles deal
// in 2 ms, 4,000 in 7 ms, 8,000 in 16 ms (bench/generator_bench.cpp).
inline constexpr int kMaxNodes = 4000;

// A generated node lists 1 or 2 links (fewer only when no target is left).
inline constexpr std::size_t kMaxLinksPerNode = 2;

// The board is the game screen, upright, in points, and every centre lies on
// it. A circle beyond it could never be touched, nor its level won.
inline constexpr std::int32_t kBoardWidth = 320;
inline constexpr std::int32_t kBoardHeight = 480;

// Every node is drawn as a circle this many points across; a node's coord
// is the centre of its circle.
inline constexpr int kCircleSize = 30;
inline constexpr int kCircleHalf = kCircleSize / 2;

// The heads-up display stands along the board's left edge, this wide: no
// circle goes under it.
inline constexpr int kHeadsUpWidth = 18;

// A rectangle of circle centres, edges included.
struct Area {
    int left, top, right, bottom;
};

// Where a drag can put a centre: the whole circle on the board, right of the
// heads-up display.
inline constexpr Area kDragArea{kHeadsUpWidth + kCircleHalf, kCircleHalf, kBoardWidth - kCircleHalf,
                                kBoardHeight - kCircleHalf};

// Where new levels are dealt: inside the drag area, every circle clear of the
// left and top edges by its own width, and a point short of the drag area's
// right and bottom edges, so that every circle is dealt whole on the board.
inline constexpr Area kDealArea{kCircleSize + kCircleHalf, kCircleSize + kCircleHalf, kDragArea.right - 1,
                                kDragArea.bottom - 1};

// Whether a board of `nodeCount` nodes is possible: not negative, at most
// kMaxNodes.
Result<> checkNodeCount(int nodeCount);

// Whether the description can give `nodeCount` nodes; it cannot for
// the count itself, lists too short, a centre off the board,
// more than kMaxLinksPerNode links, a link to a node that does not exist or
// to the node itself. Longer lists are fine: their extra entries are unused.
Result<> checkDescription(const BoardDescription& description, int nodeCount);

// Rebuilds the first `nodeCount` nodes of a description, centred on the
// saved integer coordinates. A description that checkDescription faults is
// refused with its reason, never read out of bounds.
Result<Board> rebuildBoard(const BoardDescription& description, int nodeCount);

} // namespace core

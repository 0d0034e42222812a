#pragma once

#include "core/board.h"
#include "core/segment.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace core {

// Calls line(start, end) with the circles at the ends of each segment
// buildSegments makes, in its order: equal for a circle that no link touches.
template <class Line>
void forEachBoardLine(const Board& board, Line line) {
    std::vector<bool> linked(board.size(), false);
    for (std::size_t index = 0; index < board.size(); ++index) {
        for (const std::int32_t target : board[index].link) {
            const auto other = static_cast<std::size_t>(target);
            linked[index] = linked[other] = true;
            // Drawn already from the target, which comes first and lists this node.
            if (other < index && Exists(board[other].link, static_cast<std::int32_t>(index))) continue;
            line(index, other);
        }
    }
    for (std::size_t index = 0; index < board.size(); ++index) {
        if (!linked[index]) line(index, index);
    }
}

// The same, as a list.
std::vector<std::pair<std::size_t, std::size_t>> boardLines(const Board& board);

// One segment per link, from the node to its target, in node and link order;
// a link the target lists back is one line, and one segment. Then one
// segment of zero length per node that no link touches, which can still lie
// on a link. Every link must name a node of the board.
std::vector<Segment> buildSegments(const Board& board);

// Whether two links look crossed to the player: RezultatulIntersectiei gives
// ProperCrossing either way round, or an end of one, not an end of the
// other, lies within one point of it, computed exactly. A link's stroke is
// two points wide, so that covers a circle on a link that does not end at
// it, two links of one circle running along each other, and two circles all
// but on one centre: none of them can be told from a crossing on screen.
bool looksCrossed(const Segment& first, const Segment& second);

// The reference test: whether any two segments look crossed, every pair
// compared.
bool hasCrossingAllPairs(const std::vector<Segment>& segments);

// Always the same answer as hasCrossingAllPairs, and fast on the game's
// boards (whole points from 0 to kWholePointRange): there it decides in
// integers, which gives RezultatulIntersectiei's answer exactly, and compares
// only segments that come within a point of each other, stopping at the
// first pair. Other boards go to the reference loop.
bool hasCrossing(const std::vector<Segment>& segments);

// The end-of-level question: no two circles on one centre, and no two
// segments of the board that look crossed.
bool isSolved(const Board& board);

} // namespace core

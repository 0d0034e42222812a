#pragma once

#include "core/board.h"
#include "core/segment.h"

#include <utility>
#include <vector>

namespace core {

// The circles at the ends of each segment buildSegments makes, in its order:
// equal for a circle that no link touches.
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

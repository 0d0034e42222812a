#pragma once

#include "core/board.h"
#include "core/segment.h"

#include <vector>

namespace core {

// One segment per link, from the node to its target, in node and link order.
// A link is left out when a segment running the other way between the same
// two points exists already (two nodes listing each other give one line).
// Then one segment of zero length per node that no link touches, which can
// still lie on a link. Every link must name a node of the board.
std::vector<Segment> buildSegments(const Board& board);

// The reference test: every ordered pair, a segment with itself included,
// crosses when RezultatulIntersectiei gives ProperCrossing, or when an end
// point of one lies inside the other, computed exactly. That contact covers
// a circle on a link that does not end at it and two links on one line
// sharing more than a point: neither can be told from a crossing on screen.
bool hasCrossingAllPairs(const std::vector<Segment>& segments);

// Always the same answer as hasCrossingAllPairs, but compares only pairs of
// segments that can possibly cross or touch, and stops at the first.
bool hasCrossing(const std::vector<Segment>& segments);

// The end-of-level question: no two circles on one centre, and no crossing
// or contact between the board's segments (see hasCrossingAllPairs).
bool isSolved(const Board& board);

} // namespace core

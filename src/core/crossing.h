#pragma once

#include "core/board.h"
#include "core/segment.h"

#include <vector>

namespace core {

// One segment per link, from the node to its target, in node and link order.
// A link is left out when a segment running the other way between the same
// two points exists already (two nodes listing each other give one line).
// Every link must name a node of the board.
std::vector<Segment> buildSegments(const Board& board);

// The reference test: every ordered pair, a segment with itself included,
// crosses when RezultatulIntersectiei gives ProperCrossing.
bool hasCrossingAllPairs(std::vector<Segment>& segments);

// Always the same answer as hasCrossingAllPairs, but compares only pairs of
// segments that can possibly cross, and stops at the first crossing.
bool hasCrossing(std::vector<Segment>& segments);

// The end-of-level question: no two links of the board cross.
bool isSolved(const Board& board);

} // namespace core

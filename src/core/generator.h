#pragma once

#include "core/board.h"
#include "core/random_source.h"

namespace core {

// Seeds `rand` with the current time in whole seconds, as every new board
// does first: two boards made within one second get the same link counts and
// positions.
void seedFromClock(RandomSource& random);

// A new random level of `nodeCount` nodes for a screen of width x height
// points (both above 50). Per node, in index order: rand() for the link
// count (1 or 2), rand() for x, rand() for y, then arc4random() for the
// targets. A target is drawn again when it is the node itself, already
// listed, or would make the graph non-planar; a node takes fewer links when
// no target is left. The level therefore always has a crossing-free layout.
// Draws from `random` as it stands: seed it first with seedFromClock.
Board generateBoard(int nodeCount, int width, int height, RandomSource& random);

} // namespace core

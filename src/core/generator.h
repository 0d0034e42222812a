#pragma once

#include "core/board.h"
#include "core/random_source.h"

namespace core {

// Seeds `rand` with the current time in whole seconds, as every new board
// does first: two boards made within one second get the same link counts and
// positions.
void seedFromClock(RandomSource& random);

// A new random level of `nodeCount` nodes, dealt in kDealArea, at most one
// per whole point of it (109,200; more throws std::invalid_argument).
// Per node, in index order: rand() for the link count (1 or 2), rand() for
// x, rand() for y, then arc4random() for the targets.
// A position closer than a circle's width to a node placed before is drawn
// again (x, then y), up to ten draws in all; one on a placed centre is drawn
// again until it is not. While the circles cover less than a quarter of the
// board (54 of them or fewer), no two overlap: a position is drawn again
// until it is clear of every circle. After a hundred more draws, one rand()
// picks among the spots that will do, counted outright.
// A target is drawn again when it is the node itself, already listed, or
// would make the graph non-planar; a node takes fewer links when no target
// is left. The level therefore always has a crossing-free layout. After
// eight draws, a node in the piece holding more than half of all nodes picks
// among the targets it can still take, by one arc4random() a draw: the same
// fair choice, without the thousands of draws that miss on a big board.
// When the positions give no crossing, they are all drawn again in the same
// way, keeping the links, up to 100 deals in all; a graph whose links all
// pair up on a shared node cannot be tangled and is kept as first drawn.
// Draws from `random` as it stands: seed it first with seedFromClock.
Board generateBoard(int nodeCount, RandomSource& random);

} // namespace core

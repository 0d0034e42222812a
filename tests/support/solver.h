#pragma once

#include "core/board.h"

#include <vector>

namespace testkit {

// A winning layout: one centre per node, on whole points inside the area,
// that core::isSolved accepts. The board's graph must be planar (every
// generated board is). It is drawn with straight lines on a grid
// (Chrobak-Payne, after the graph is made maximal planar), stretched over the
// area and rounded; circles left within a point of a link, or on another
// circle, are then moved a few points. Where that cannot free them all, the
// nodes are numbered another way for another drawing, and when no numbering
// does it throws. Every board dealt, up to 138 nodes, is solved in the game's
// drag area.
std::vector<core::Point> solveLayout(const core::Board& board, core::Area area);

} // namespace testkit

#pragma once

#include "core/board.h"

#include <vector>

namespace testkit {

// A winning layout: one centre per node, on whole points inside the area,
// such that no two links cross. The board's graph must be planar (every
// generated board is). It is drawn with straight lines on a grid
// (Chrobak-Payne, after the graph is made maximal planar), stretched by whole
// steps of floor(width / (2n - 4)) and floor(height / (n - 2)) points; distinct
// nodes are at least the smaller step apart. In the game's area that is a
// circle's width or more up to 6 nodes, 3 points at 40 nodes and 1 point at
// 100 nodes; beyond 138 nodes the grid no longer fits and it throws.
std::vector<core::Point> solveLayout(const core::Board& board, core::Area area);

} // namespace testkit

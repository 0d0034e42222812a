#pragma once

#include "core/board.h"
#include "core/segment_grid.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace core {

// The end-of-level answer of a board, kept up to date as its circles move.
// The board's segments (as buildSegments makes them) sit in a grid, and a
// move re-tests only the moved circle's links against it. A tangled board
// keeps one pair that looks crossed and looks for another only when a move
// parts it; once none is left, the pairs that look crossed are counted, move
// by move. Circles piled on another's centre are always counted. Always the
// answer isSolved gives for the board as it stands. Every centre must be a
// whole point from 0 to kWholePointRange, as on the game's boards.
class CrossingIndex {
public:
    explicit CrossingIndex(const Board& board);

    // Circle `index` now lies at `centre`.
    void moveCircle(std::size_t index, Point centre);

    bool isSolved() const { return piledCircles_ == 0 && crossedPairs_ == std::size_t{0}; }

private:
    struct Line {
        std::uint32_t start, end; // circle indices, equal for a lone circle
    };
    struct Pair {
        std::uint32_t first, second; // lines
    };

    detail::WholeSegment segment(std::uint32_t line) const;
    bool looksCrossed(Pair pair) const;
    // A pair of `line` and a line in the grid that look crossed.
    std::optional<Pair> crossingOf(std::uint32_t line);
    std::optional<Pair> anyCrossing();
    // Pairs that look crossed among `lines`, and between them and the grid's.
    std::size_t crossingsOf(const std::vector<std::uint32_t>& lines);
    void countCentre(std::size_t circle, int change);

    std::vector<std::int64_t> x_, y_;
    std::vector<Line> lines_;
    std::vector<std::vector<std::uint32_t>> linesOf_; // per circle
    detail::SegmentGrid grid_;
    std::unordered_map<std::int64_t, int> circlesAt_; // per centre
    std::size_t piledCircles_ = 0;
    // Counted once none is left; until then, one pair that looks crossed.
    std::optional<std::size_t> crossedPairs_;
    Pair crossed_{};
};

} // namespace core

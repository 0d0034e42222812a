#pragma once

#include "core/whole_points.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core::detail {

// Segments on whole points, filed by the grid cells they pass within half a
// point of, so that two segments that come within a point of each other
// share a cell (the cell of the midpoint of their closest points). A long
// segment is filed along its length, not over its whole box. Segments
// beyond the grid's area are filed in its edge cells, which keeps that true.
class SegmentGrid {
public:
    struct Area {
        double left, top, right, bottom;
    };

    // Cells `cellSize` points wide over `area`.
    SegmentGrid(Area area, double cellSize);
    // A grid for these segments: their bounding area, about one cell per segment.
    static SegmentGrid fitting(const std::vector<WholeSegment>& segments);

    void insert(std::uint32_t id, const WholeSegment& segment);
    void erase(std::uint32_t id, const WholeSegment& segment);

    // Calls visit(id) once for each segment filed near `segment`, until visit
    // returns true; answers whether it did.
    template <class Visit>
    bool anyNear(const WholeSegment& segment, Visit visit);

private:
    template <class Action>
    void forEachCell(const WholeSegment& segment, Action action) const;
    std::size_t column(double x) const;
    std::size_t row(double y) const;

    Area area_;
    double cellSize_;
    std::size_t columns_;
    std::size_t rows_;
    std::vector<std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> seenAt_; // per id, the query that last visited it
    std::uint32_t query_ = 0;
};

template <class Action>
void SegmentGrid::forEachCell(const WholeSegment& s, Action action) const {
    // Half a point, and a little more for the rounding of y along the segment.
    constexpr double margin = 0.5 + 1.0 / 64;
    const auto ax = static_cast<double>(s.ax), ay = static_cast<double>(s.ay);
    const auto bx = static_cast<double>(s.bx), by = static_cast<double>(s.by);
    const double minX = std::min(ax, bx), maxX = std::max(ax, bx);
    const std::size_t first = column(minX - margin), last = column(maxX + margin);
    for (std::size_t c = first; c <= last; ++c) {
        // The part of the segment within half a point of this column, which
        // for an edge column runs on to the grid's edge and beyond.
        const double from = c == 0 ? minX : std::max(minX, area_.left + static_cast<double>(c) * cellSize_ - margin);
        const double to =
            c + 1 == columns_ ? maxX : std::min(maxX, area_.left + static_cast<double>(c + 1) * cellSize_ + margin);
        double low = std::min(ay, by), high = std::max(ay, by);
        if (ax != bx) {
            const double slope = (by - ay) / (bx - ax);
            const double yFrom = ay + (from - ax) * slope, yTo = ay + (to - ax) * slope;
            low = std::min(yFrom, yTo);
            high = std::max(yFrom, yTo);
        }
        for (std::size_t r = row(low - margin), end = row(high + margin); r <= end; ++r) {
            action(r * columns_ + c);
        }
    }
}

template <class Visit>
bool SegmentGrid::anyNear(const WholeSegment& segment, Visit visit) {
    if (++query_ == 0) { // wrapped round: forget every visit
        std::fill(seenAt_.begin(), seenAt_.end(), 0);
        query_ = 1;
    }
    bool found = false;
    forEachCell(segment, [&](std::size_t cell) {
        for (std::size_t k = 0; !found && k < cells_[cell].size(); ++k) {
            const std::uint32_t id = cells_[cell][k];
            if (seenAt_[id] != query_) {
                seenAt_[id] = query_;
                found = visit(id);
            }
        }
    });
    return found;
}

} // namespace core::detail

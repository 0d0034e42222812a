#pragma once

#include "core/whole_points.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace core::detail {

// A uniform grid of square cells, and the cells each segment on whole points
// passes within half a point of: two segments that come within a point of
// each other share a cell (the cell of the midpoint of their closest
// points). A long segment has the cells along it, not its whole box. Beyond
// the grid's area the edge cells stand for all there is, which keeps that
// true.
class CellLayout {
public:
    struct Area {
        double left, top, right, bottom;
    };

    CellLayout(Area area, double cellSize);
    // The bounding area of these segments, in about one cell per segment.
    template <class Segments>
    static CellLayout fitting(const Segments& segments);

    std::size_t cellCount() const { return columns_ * rows_; }

    // Any segment with whole end points ax, ay, bx, by.
    template <class AnySegment, class Action>
    void forEachCell(const AnySegment& segment, Action action) const;

private:
    std::size_t column(double x) const { return cellAlong(x - area_.left, columns_); }
    std::size_t row(double y) const { return cellAlong(y - area_.top, rows_); }
    std::size_t cellAlong(double offset, std::size_t cells) const {
        const double steps = offset * perCell_;
        if (!(steps > 0.0)) return 0;
        return std::min(static_cast<std::size_t>(std::min(steps, 1e15)), cells - 1);
    }

    Area area_;
    double cellSize_;
    double perCell_; // cells a point
    std::size_t columns_;
    std::size_t rows_;
};

template <class Segments>
CellLayout CellLayout::fitting(const Segments& segments) {
    if (segments.empty()) return {{0, 0, 0, 0}, 1};
    constexpr double far = std::numeric_limits<double>::max();
    Area area{far, far, -far, -far};
    for (const auto& s : segments) {
        area.left = std::min({area.left, static_cast<double>(s.ax), static_cast<double>(s.bx)});
        area.top = std::min({area.top, static_cast<double>(s.ay), static_cast<double>(s.by)});
        area.right = std::max({area.right, static_cast<double>(s.ax), static_cast<double>(s.bx)});
        area.bottom = std::max({area.bottom, static_cast<double>(s.ay), static_cast<double>(s.by)});
    }
    const double size = (area.right - area.left + 1) * (area.bottom - area.top + 1);
    return {area, std::max(1.0, 2.0 * std::sqrt(size / static_cast<double>(segments.size())))};
}

template <class AnySegment, class Action>
void CellLayout::forEachCell(const AnySegment& s, Action action) const {
    // Half a point, and a little more for the rounding of y along the segment.
    constexpr double margin = 0.5 + 1.0 / 64;
    const auto ax = static_cast<double>(s.ax), ay = static_cast<double>(s.ay);
    const auto bx = static_cast<double>(s.bx), by = static_cast<double>(s.by);
    const double minX = std::min(ax, bx), maxX = std::max(ax, bx);
    const std::size_t first = column(minX - margin), last = column(maxX + margin);
    const double slope = ax != bx ? (by - ay) / (bx - ax) : 0.0;
    for (std::size_t c = first; c <= last; ++c) {
        // The part of the segment within half a point of this column, which
        // for an edge column runs on to the grid's edge and beyond.
        const double from = c == 0 ? minX : std::max(minX, area_.left + static_cast<double>(c) * cellSize_ - margin);
        const double to =
            c + 1 == columns_ ? maxX : std::min(maxX, area_.left + static_cast<double>(c + 1) * cellSize_ + margin);
        double low = std::min(ay, by), high = std::max(ay, by);
        if (ax != bx) {
            const double yFrom = ay + (from - ax) * slope, yTo = ay + (to - ax) * slope;
            low = std::min(yFrom, yTo);
            high = std::max(yFrom, yTo);
        }
        for (std::size_t r = row(low - margin), end = row(high + margin); r <= end; ++r) {
            action(r * columns_ + c);
        }
    }
}

// Segments filed by their cells, as they come and go.
class SegmentGrid {
public:
    explicit SegmentGrid(const CellLayout& layout) : layout_(layout), cells_(layout.cellCount()) {}

    void insert(std::uint32_t id, const WholeSegment& segment);
    void erase(std::uint32_t id, const WholeSegment& segment);

    // Calls visit(id) once for each segment filed in a cell of `segment`,
    // until visit answers true; answers whether it did.
    template <class Visit>
    bool anyNear(const WholeSegment& segment, Visit visit);

private:
    CellLayout layout_;
    std::vector<std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> seenAt_; // per id, the query that last visited it
    std::uint32_t query_ = 0;
};

template <class Visit>
bool SegmentGrid::anyNear(const WholeSegment& segment, Visit visit) {
    if (++query_ == 0) { // wrapped round: forget every visit
        std::fill(seenAt_.begin(), seenAt_.end(), 0);
        query_ = 1;
    }
    bool found = false;
    layout_.forEachCell(segment, [&](std::size_t cell) {
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

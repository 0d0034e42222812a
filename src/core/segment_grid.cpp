#include "core/segment_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace core::detail {

SegmentGrid::SegmentGrid(Area area, double cellSize)
    : area_(area), cellSize_(cellSize),
      columns_(static_cast<std::size_t>((area.right - area.left) / cellSize) + 1),
      rows_(static_cast<std::size_t>((area.bottom - area.top) / cellSize) + 1), cells_(columns_ * rows_) {}

SegmentGrid SegmentGrid::fitting(const std::vector<WholeSegment>& segments) {
    Area area{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), 0, 0};
    for (const WholeSegment& s : segments) {
        area.left = std::min({area.left, static_cast<double>(s.ax), static_cast<double>(s.bx)});
        area.top = std::min({area.top, static_cast<double>(s.ay), static_cast<double>(s.by)});
        area.right = std::max({area.right, static_cast<double>(s.ax), static_cast<double>(s.bx)});
        area.bottom = std::max({area.bottom, static_cast<double>(s.ay), static_cast<double>(s.by)});
    }
    if (segments.empty()) area = {0, 0, 0, 0};
    const double size = (area.right - area.left + 1) * (area.bottom - area.top + 1);
    const double cellSize = std::max(1.0, std::sqrt(size / static_cast<double>(std::max<std::size_t>(segments.size(), 1))));
    return {area, cellSize};
}

std::size_t SegmentGrid::column(double x) const {
    const double at = std::floor((x - area_.left) / cellSize_);
    return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(columns_ - 1)));
}

std::size_t SegmentGrid::row(double y) const {
    const double at = std::floor((y - area_.top) / cellSize_);
    return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(rows_ - 1)));
}

void SegmentGrid::insert(std::uint32_t id, const WholeSegment& segment) {
    if (id >= seenAt_.size()) seenAt_.resize(id + 1, 0);
    forEachCell(segment, [&](std::size_t cell) { cells_[cell].push_back(id); });
}

void SegmentGrid::erase(std::uint32_t id, const WholeSegment& segment) {
    forEachCell(segment, [&](std::size_t cell) {
        std::vector<std::uint32_t>& members = cells_[cell];
        const auto at = std::find(members.begin(), members.end(), id);
        if (at != members.end()) {
            *at = members.back();
            members.pop_back();
        }
    });
}

} // namespace core::detail

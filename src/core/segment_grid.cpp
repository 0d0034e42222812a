#include "core/segment_grid.h"

#include <cmath>
#include <limits>

namespace core::detail {

CellLayout::CellLayout(Area area, double cellSize)
    : area_(area), cellSize_(cellSize), perCell_(1.0 / cellSize),
      columns_(static_cast<std::size_t>((area.right - area.left) / cellSize) + 1),
      rows_(static_cast<std::size_t>((area.bottom - area.top) / cellSize) + 1) {}

CellLayout CellLayout::fitting(const std::vector<WholeSegment>& segments) {
    if (segments.empty()) return {{0, 0, 0, 0}, 1};
    constexpr double far = std::numeric_limits<double>::max();
    Area area{far, far, -far, -far};
    for (const WholeSegment& s : segments) {
        area.left = std::min({area.left, static_cast<double>(s.ax), static_cast<double>(s.bx)});
        area.top = std::min({area.top, static_cast<double>(s.ay), static_cast<double>(s.by)});
        area.right = std::max({area.right, static_cast<double>(s.ax), static_cast<double>(s.bx)});
        area.bottom = std::max({area.bottom, static_cast<double>(s.ay), static_cast<double>(s.by)});
    }
    const double size = (area.right - area.left + 1) * (area.bottom - area.top + 1);
    return {area, std::max(1.0, 2.0 * std::sqrt(size / static_cast<double>(segments.size())))};
}

void SegmentGrid::insert(std::uint32_t id, const WholeSegment& segment) {
    if (id >= seenAt_.size()) seenAt_.resize(id + 1, 0);
    layout_.forEachCell(segment, [&](std::size_t cell) { cells_[cell].push_back(id); });
}

void SegmentGrid::erase(std::uint32_t id, const WholeSegment& segment) {
    layout_.forEachCell(segment, [&](std::size_t cell) {
        std::vector<std::uint32_t>& members = cells_[cell];
        const auto at = std::find(members.begin(), members.end(), id);
        if (at != members.end()) {
            *at = members.back();
            members.pop_back();
        }
    });
}

} // namespace core::detail

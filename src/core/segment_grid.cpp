#include "core/segment_grid.h"

namespace core::detail {

CellLayout::CellLayout(Area area, double cellSize)
    : area_(area), cellSize_(cellSize), perCell_(1.0 / cellSize),
      columns_(static_cast<std::size_t>((area.right - area.left) / cellSize) + 1),
      rows_(static_cast<std::size_t>((area.bottom - area.top) / cellSize) + 1) {}

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

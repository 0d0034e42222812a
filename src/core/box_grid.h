#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core::detail {

// An axis-aligned box standing for one item (several boxes may share one).
struct Box {
    double minX;
    double minY;
    double maxX;
    double maxY;
    std::uint32_t item;
};

inline bool overlap(const Box& a, const Box& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

// Calls visit(a, b) with the items of each pair of overlapping boxes (edges
// touching count) that stand for different items, and stops as soon as visit
// returns true; returns whether it did. Boxes are bucketed in a uniform grid
// of about one cell per box, no smaller than an average box, so only boxes
// sharing a cell are compared. A pair is visited in the one cell holding the
// low corner of the two boxes' overlap, hence once.
template <class Visit>
bool anyOverlappingPair(const std::vector<Box>& boxes, Visit visit) {
    if (boxes.size() < 2) {
        return false;
    }
    double minX = boxes[0].minX, minY = boxes[0].minY, maxX = boxes[0].maxX, maxY = boxes[0].maxY;
    double widths = 0.0, heights = 0.0;
    for (const Box& box : boxes) {
        minX = std::min(minX, box.minX);
        minY = std::min(minY, box.minY);
        maxX = std::max(maxX, box.maxX);
        maxY = std::max(maxY, box.maxY);
        widths += box.maxX - box.minX;
        heights += box.maxY - box.minY;
    }
    const auto count = static_cast<double>(boxes.size());
    const auto cellSize = [&](double span, double total) {
        const double size = std::max(total / count, span / std::sqrt(count));
        return size > 0.0 ? size : 1.0;
    };
    const double cellW = cellSize(maxX - minX, widths);
    const double cellH = cellSize(maxY - minY, heights);
    const auto columns = static_cast<std::size_t>((maxX - minX) / cellW) + 1;
    const auto rows = static_cast<std::size_t>((maxY - minY) / cellH) + 1;
    const auto column = [&](double x) { return std::min(columns - 1, static_cast<std::size_t>((x - minX) / cellW)); };
    const auto row = [&](double y) { return std::min(rows - 1, static_cast<std::size_t>((y - minY) / cellH)); };
    const auto forEachCell = [&](const Box& box, auto&& action) {
        for (std::size_t r = row(box.minY); r <= row(box.maxY); ++r) {
            for (std::size_t c = column(box.minX); c <= column(box.maxX); ++c) {
                action(r * columns + c);
            }
        }
    };

    // Cell contents as one array sliced by cell (counting sort).
    std::vector<std::size_t> start(rows * columns + 1, 0);
    for (const Box& box : boxes) {
        forEachCell(box, [&](std::size_t cell) { ++start[cell + 1]; });
    }
    for (std::size_t cell = 1; cell < start.size(); ++cell) {
        start[cell] += start[cell - 1];
    }
    std::vector<std::uint32_t> members(start.back());
    std::vector<std::size_t> filled(start.begin(), start.end() - 1);
    for (std::uint32_t index = 0; index < boxes.size(); ++index) {
        forEachCell(boxes[index], [&](std::size_t cell) { members[filled[cell]++] = index; });
    }

    for (std::size_t cell = 0; cell + 1 < start.size(); ++cell) {
        for (std::size_t p = start[cell]; p < start[cell + 1]; ++p) {
            const Box& a = boxes[members[p]];
            for (std::size_t q = p + 1; q < start[cell + 1]; ++q) {
                const Box& b = boxes[members[q]];
                if (a.item == b.item || !overlap(a, b)) {
                    continue;
                }
                const std::size_t owner = row(std::max(a.minY, b.minY)) * columns + column(std::max(a.minX, b.minX));
                if (owner == cell && visit(a.item, b.item)) {
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace core::detail

#include "core/crossing_index.h"

#include "core/crossing.h"

#include <stdexcept>

namespace core {

namespace {

std::int64_t wholePoint(float value) {
    if (!isWholePointInRange(value)) {
        throw std::invalid_argument("CrossingIndex needs centres on whole points from 0 to " +
                                    std::to_string(kWholePointRange));
    }
    return static_cast<std::int64_t>(value);
}

} // namespace

CrossingIndex::CrossingIndex(const Board& board) : linesOf_(board.size()), grid_(detail::CellLayout({0, 0, 0, 0}, 1)) {
    for (const Node& node : board) {
        x_.push_back(wholePoint(node.coord.x));
        y_.push_back(wholePoint(node.coord.y));
    }
    for (const auto& [start, end] : boardLines(board)) {
        const auto line = static_cast<std::uint32_t>(lines_.size());
        lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end)});
        linesOf_[start].push_back(line);
        if (end != start) linesOf_[end].push_back(line);
    }
    std::vector<detail::WholeSegment> segments;
    for (std::uint32_t line = 0; line < lines_.size(); ++line) segments.push_back(segment(line));
    grid_ = detail::SegmentGrid(detail::CellLayout::fitting(segments));
    for (std::uint32_t line = 0; line < lines_.size(); ++line) grid_.insert(line, segments[line]);
    if (const std::optional<Pair> found = anyCrossing()) {
        crossed_ = *found;
    } else {
        crossedPairs_ = 0;
    }
    for (std::size_t circle = 0; circle < board.size(); ++circle) countCentre(circle, +1);
}

void CrossingIndex::moveCircle(std::size_t index, Point centre) {
    const std::int64_t x = wholePoint(centre.x), y = wholePoint(centre.y);
    const std::vector<std::uint32_t>& moved = linesOf_.at(index);
    for (const std::uint32_t line : moved) grid_.erase(line, segment(line));
    if (crossedPairs_) *crossedPairs_ -= crossingsOf(moved);
    countCentre(index, -1);
    x_[index] = x;
    y_[index] = y;
    countCentre(index, +1);
    if (crossedPairs_) *crossedPairs_ += crossingsOf(moved);
    for (const std::uint32_t line : moved) grid_.insert(line, segment(line));
    if (crossedPairs_ || looksCrossed(crossed_)) return;
    // The kept pair came apart: another near the moved links, or anywhere.
    std::optional<Pair> found;
    for (std::size_t k = 0; !found && k < moved.size(); ++k) found = crossingOf(moved[k]);
    if (!found) found = anyCrossing();
    if (found) {
        crossed_ = *found;
    } else {
        crossedPairs_ = 0;
    }
}

bool CrossingIndex::looksCrossed(Pair pair) const {
    return detail::looksCrossed(segment(pair.first), segment(pair.second));
}

std::optional<CrossingIndex::Pair> CrossingIndex::crossingOf(std::uint32_t line) {
    Pair pair{line, line};
    const bool found = grid_.anyNear(segment(line), [&](std::uint32_t other) {
        pair.second = other;
        return other != line && looksCrossed(pair);
    });
    return found ? std::optional(pair) : std::nullopt;
}

std::optional<CrossingIndex::Pair> CrossingIndex::anyCrossing() {
    for (std::uint32_t line = 0; line < lines_.size(); ++line) {
        if (const std::optional<Pair> found = crossingOf(line)) return found;
    }
    return std::nullopt;
}

detail::WholeSegment CrossingIndex::segment(std::uint32_t line) const {
    const Line& ends = lines_[line];
    return {x_[ends.start], y_[ends.start], x_[ends.end], y_[ends.end]};
}

std::size_t CrossingIndex::crossingsOf(const std::vector<std::uint32_t>& lines) {
    std::size_t crossings = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const detail::WholeSegment s = segment(lines[i]);
        grid_.anyNear(s, [&](std::uint32_t other) {
            crossings += detail::looksCrossed(s, segment(other));
            return false;
        });
        for (std::size_t j = i + 1; j < lines.size(); ++j) crossings += detail::looksCrossed(s, segment(lines[j]));
    }
    return crossings;
}

void CrossingIndex::countCentre(std::size_t circle, int change) {
    const std::int64_t key = x_[circle] * (kWholePointRange + 1) + y_[circle];
    int& here = circlesAt_[key];
    if (change < 0 && here > 1) --piledCircles_;
    here += change;
    if (change > 0 && here > 1) ++piledCircles_;
    if (here == 0) circlesAt_.erase(key);
}

} // namespace core

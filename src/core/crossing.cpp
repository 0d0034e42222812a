#include "core/crossing.h"

#include "core/segment_grid.h"
#include "core/whole_points.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace core {

std::vector<std::pair<std::size_t, std::size_t>> boardLines(const Board& board) {
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    lines.reserve(board.size() * 2);
    forEachBoardLine(board, [&](std::size_t start, std::size_t end) { lines.emplace_back(start, end); });
    return lines;
}

std::vector<Segment> buildSegments(const Board& board) {
    const std::vector<std::pair<std::size_t, std::size_t>> lines = boardLines(board);
    std::vector<Segment> segments;
    segments.reserve(lines.size());
    for (const auto& [start, end] : lines) segments.emplace_back(board[start].coord, board[end].coord);
    return segments;
}

namespace {

// Any finite float is a whole multiple of 2^-149 below 2^128: in steps of
// 2^-173 every coordinate is an integer, and the contact is decided without
// rounding.
bool nearlyTouchAnywhere(const Segment& first, const Segment& second) {
    using Int = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>, boost::multiprecision::et_off>;
    const auto exact = [](const Segment& segment) {
        const auto toInt = [](float value) {
            int exponent = 0;
            const float fraction = std::frexp(value, &exponent);
            return Int(static_cast<std::int32_t>(std::ldexp(fraction, 24))) << (exponent + 149);
        };
        return detail::ExactSegment<Int>{toInt(segment.getStart().x), toInt(segment.getStart().y),
                                         toInt(segment.getEnd().x), toInt(segment.getEnd().y)};
    };
    for (const Segment* segment : {&first, &second}) {
        for (const Point point : {segment->getStart(), segment->getEnd()}) {
            if (!std::isfinite(point.x) || !std::isfinite(point.y)) return false; // no finite line to lie on
        }
    }
    return detail::nearlyTouch(exact(first), exact(second), Int(1) << 173);
}

bool nearlyTouch(const Segment& first, const Segment& second) {
    if (isOnWholePoints(first) && isOnWholePoints(second)) {
        return detail::nearlyTouch(detail::wholeSegment(first), detail::wholeSegment(second), std::int64_t{1});
    }
    return nearlyTouchAnywhere(first, second);
}

struct PointHash {
    static std::uint32_t bits(float value) {
        const float unsignedZero = value == 0.0f ? 0.0f : value;
        std::uint32_t bits;
        std::memcpy(&bits, &unsignedZero, sizeof bits);
        return bits;
    }
    std::size_t operator()(const Point& point) const {
        return std::hash<std::uint64_t>{}((std::uint64_t{bits(point.x)} << 32) | bits(point.y));
    }
};

bool sharesACentre(const Board& board) {
    std::unordered_set<Point, PointHash> centres;
    centres.reserve(board.size());
    return std::any_of(board.begin(), board.end(),
                       [&](const Node& node) { return !centres.insert(node.coord).second; });
}

bool centresOnWholePoints(const Board& board) {
    return std::all_of(board.begin(), board.end(), [](const Node& node) {
        return isWholePointInRange(node.coord.x) && isWholePointInRange(node.coord.y);
    });
}

// The same for whole points, one bit each.
bool sharesAWholeCentre(const Board& board) {
    constexpr auto side = static_cast<std::size_t>(kWholePointRange + 1);
    std::vector<bool> taken(side * side, false);
    return std::any_of(board.begin(), board.end(), [&](const Node& node) {
        const auto at = static_cast<std::size_t>(node.coord.x) * side + static_cast<std::size_t>(node.coord.y);
        if (taken[at]) return true;
        taken[at] = true;
        return false;
    });
}

// A segment on whole points up to kWholePointRange, which fit 16 bits: a
// quarter of the memory to sweep. Its box, grown by a point on the low sides
// (two boxes so grown meet when the boxes come within a point), rules out
// most pairs.
struct ShortSegment {
    std::int16_t ax, ay, bx, by;
    std::int16_t left, top, right, bottom;

    static ShortSegment from(Point a, Point b) {
        static_assert(kWholePointRange + 1 <= INT16_MAX);
        const auto at = [](float value) { return static_cast<std::int16_t>(value); };
        const auto less = [](std::int16_t a, std::int16_t b) { return static_cast<std::int16_t>(std::min(a, b) - 1); };
        const std::int16_t x0 = at(a.x), y0 = at(a.y), x1 = at(b.x), y1 = at(b.y);
        return {x0, y0, x1, y1, less(x0, x1), less(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    }
    // Each end as one number, its two coordinates read at once, to be told
    // apart in one comparison.
    std::uint32_t startKey() const { return keyAt(0); }
    std::uint32_t endKey() const { return keyAt(2 * sizeof(std::int16_t)); }
    std::uint32_t keyAt(std::size_t offset) const {
        std::uint32_t key;
        std::memcpy(&key, reinterpret_cast<const char*>(this) + offset, sizeof key);
        return key;
    }
    detail::WholeSegment whole() const { return {ax, ay, bx, by}; }
};
static_assert(offsetof(ShortSegment, ay) == sizeof(std::int16_t) &&
              offsetof(ShortSegment, bx) == 2 * sizeof(std::int16_t) &&
              offsetof(ShortSegment, by) == 3 * sizeof(std::int16_t));

// The circles at the segments' ends, numbered: each segment's two (one
// twice for a lone point), and how many circles there are.
struct Circles {
    std::vector<std::array<std::uint32_t, 2>> ofSegment;
    std::size_t count = 0;
};

// Links of one circle meet only there: each circle's links are listed, as
// the ways to their far ends, and compared in turn.
bool linksOfOneCircleLookCrossed(const std::vector<ShortSegment>& segments, const Circles& circles) {
    struct Way {
        std::int16_t x, y;
    };
    std::vector<std::uint32_t> start(circles.count + 1, 0);
    for (const auto& [a, b] : circles.ofSegment) {
        ++start[a + 1];
        if (a != b) ++start[b + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<Way> ways(start.back());
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const ShortSegment& s = segments[i];
        const auto x = static_cast<std::int16_t>(s.bx - s.ax), y = static_cast<std::int16_t>(s.by - s.ay);
        const auto [a, b] = circles.ofSegment[i];
        ways[next[a]++] = {x, y};
        if (a != b) ways[next[b]++] = {static_cast<std::int16_t>(-x), static_cast<std::int16_t>(-y)};
    }
    for (std::size_t circle = 0; circle < circles.count; ++circle) {
        for (std::uint32_t p = start[circle]; p < start[circle + 1]; ++p) {
            const Way u = ways[p];
            for (std::uint32_t q = p + 1; q < start[circle + 1]; ++q) {
                const Way v = ways[q];
                // The same way twice is one line listed twice, or two lone points.
                if (u.x == v.x && u.y == v.y) continue;
                if (detail::alongEachOther(u.x, u.y, v.x, v.y)) return true;
            }
        }
    }
    return false;
}

// Whether a segment shares no end with this one, and its box meets this
// one's: all eight comparisons at once, on one load of the segment, and one
// branch, seldom taken.
class ApartAndNear {
public:
    explicit ApartAndNear(const ShortSegment& a) {
        constexpr std::int16_t low = INT16_MIN, high = INT16_MAX;
        // Lanes of no use to a comparison hold what no coordinate can equal or pass.
        constexpr std::uint32_t nowhere = 0x80008000;
        beyond_ = Lanes16{high, high, high, high, a.right, a.bottom, high, high};
        before_ = Lanes16{low, low, low, low, low, low, a.left, a.top};
        start_ = Lanes32{a.startKey(), a.startKey(), nowhere, nowhere};
        end_ = Lanes32{a.endKey(), a.endKey(), nowhere, nowhere};
    }
    bool operator()(const ShortSegment& b) const {
        Lanes16 lanes;
        std::memcpy(&lanes, &b, sizeof lanes);
        const auto ends = reinterpret_cast<Lanes32>(lanes);
        const auto boxesApart = reinterpret_cast<Lanes32>((lanes > beyond_) | (before_ > lanes));
        const auto endShared = reinterpret_cast<Lanes32>((ends == start_) | (ends == end_));
        const auto no = reinterpret_cast<Lanes64>(boxesApart | endShared);
        return (no[0] | no[1]) == 0;
    }

private:
    using Lanes16 = std::int16_t __attribute__((vector_size(16)));
    using Lanes32 = std::uint32_t __attribute__((vector_size(16)));
    using Lanes64 = std::uint64_t __attribute__((vector_size(16)));
    static_assert(sizeof(ShortSegment) == sizeof(Lanes16));
    Lanes16 beyond_, before_;
    Lanes32 start_, end_;
};

// Links of no common circle that come within a point of each other share a
// cell, where they are compared.
bool linksApartLookCrossed(const std::vector<ShortSegment>& segments, const detail::CellLayout& layout) {
    // Each cell's segments side by side, in order, copied there so that a
    // cell is read in one sweep (a counting sort by cell).
    std::vector<std::size_t> start(layout.cellCount() + 1, 0);
    for (const ShortSegment& s : segments) layout.forEachCell(s, [&](std::size_t cell) { ++start[cell + 1]; });
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<ShortSegment> filed(start.back());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (const ShortSegment& s : segments) layout.forEachCell(s, [&](std::size_t cell) { filed[next[cell]++] = s; });
    // Pairs sharing several cells are compared in each: cheaper than keeping count.
    for (std::size_t cell = 0; cell < layout.cellCount(); ++cell) {
        for (std::size_t p = start[cell]; p < start[cell + 1]; ++p) {
            const ShortSegment& a = filed[p];
            const ApartAndNear apartAndNear(a);
            for (std::size_t q = p + 1; q < start[cell + 1]; ++q) {
                const ShortSegment& b = filed[q];
                if (apartAndNear(b) && detail::looksCrossedApart(a.whole(), b.whole())) return true;
            }
        }
    }
    return false;
}

// Why integers give RezultatulIntersectiei's answer on whole points from 0
// to kWholePointRange. Its differences, products and their differences
// (below 2^23) are exact, so its denominator and numerators are, and the
// rounded quotients ua and ub lie in [0, 1] exactly when the true ones do
// (a quotient above 1 is at least 1 + 2^-23, which does not round to 1).
// Then:
//  - With ua or ub exactly 0 or 1 the lines meet at an end point. If it is
//    p or q, the meeting point is computed exactly as that end: Touching.
//    If it is r or s, that end lies on the other segment: a contact.
//  - With both strictly inside (0, 1), the segments cross inside both. The
//    computed meeting point lies within 2^-11 of the true one, so if it
//    comes out as an end point, that end lies within 2^-11 of the other
//    segment without being its end: a contact again.
// Contacts count either way, so "ProperCrossing or contact" is "crossing
// inside both or contact", which detail::looksCrossed decides exactly.
bool hasCrossingOnWholePoints(const std::vector<ShortSegment>& segments, const Circles& circles) {
    return linksOfOneCircleLookCrossed(segments, circles) ||
           linksApartLookCrossed(segments, detail::CellLayout::fitting(segments));
}

// A tangled board almost surely shows it among its first links: a look
// there spares filing every link of a board that is not won anyway.
constexpr std::size_t kFirstLook = 64;

bool firstLinksLookCrossed(const std::vector<ShortSegment>& segments) {
    const std::size_t firstLook = std::min(kFirstLook, segments.size());
    for (std::size_t i = 0; i < firstLook; ++i) {
        for (std::size_t j = i + 1; j < firstLook; ++j) {
            if (detail::looksCrossed(segments[i].whole(), segments[j].whole())) return true;
        }
    }
    return false;
}

// The same for a board's first links as its circles list them, before the
// board is walked in full (a link listed at both ends is one line twice,
// which does not look crossed).
bool firstLinksLookCrossed(const Board& board) {
    std::vector<ShortSegment> first;
    for (std::size_t index = 0; index < board.size() && first.size() < kFirstLook; ++index) {
        for (const std::int32_t target : board[index].link) {
            if (first.size() == kFirstLook) break;
            first.push_back(ShortSegment::from(board[index].coord, board[static_cast<std::size_t>(target)].coord));
        }
    }
    return firstLinksLookCrossed(first);
}

} // namespace

bool looksCrossed(const Segment& first, const Segment& second) {
    return first.RezultatulIntersectiei(second) == Segment::ProperCrossing ||
           second.RezultatulIntersectiei(first) == Segment::ProperCrossing || nearlyTouch(first, second);
}

bool hasCrossingAllPairs(const std::vector<Segment>& segments) {
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            if (looksCrossed(segments[i], segments[j])) return true;
        }
    }
    return false;
}

bool hasCrossing(const std::vector<Segment>& segments) {
    if (!std::all_of(segments.begin(), segments.end(), isOnWholePoints)) return hasCrossingAllPairs(segments);
    std::vector<ShortSegment> whole;
    whole.reserve(segments.size());
    for (const Segment& segment : segments) whole.push_back(ShortSegment::from(segment.getStart(), segment.getEnd()));
    if (firstLinksLookCrossed(whole)) return true;
    // A circle is wherever an end lies.
    Circles circles;
    std::unordered_map<std::uint32_t, std::uint32_t> circleAt;
    const auto circle = [&](std::uint32_t key) {
        return circleAt.try_emplace(key, static_cast<std::uint32_t>(circleAt.size())).first->second;
    };
    for (const ShortSegment& s : whole) circles.ofSegment.push_back({circle(s.startKey()), circle(s.endKey())});
    circles.count = circleAt.size();
    return hasCrossingOnWholePoints(whole, circles);
}

bool isSolved(const Board& board) {
    if (!centresOnWholePoints(board)) return !sharesACentre(board) && !hasCrossing(buildSegments(board));
    if (firstLinksLookCrossed(board) || sharesAWholeCentre(board)) return false;
    // No two circles share a centre, so each is told by its number.
    std::vector<ShortSegment> whole;
    Circles circles{{}, board.size()};
    whole.reserve(board.size() * 2);
    circles.ofSegment.reserve(board.size() * 2);
    forEachBoardLine(board, [&](std::size_t start, std::size_t end) {
        whole.push_back(ShortSegment::from(board[start].coord, board[end].coord));
        circles.ofSegment.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end)});
    });
    return !hasCrossingOnWholePoints(whole, circles);
}

} // namespace core

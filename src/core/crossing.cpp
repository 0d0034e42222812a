#include "core/crossing.h"

#include "core/box_grid.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <numbers>
#include <unordered_set>

namespace core {

namespace {

struct PointPair {
    Point start;
    Point end;
    friend bool operator==(const PointPair&, const PointPair&) = default;
};

struct PointPairHash {
    static std::uint32_t bits(float value) {
        const float unsignedZero = value == 0.0f ? 0.0f : value;
        std::uint32_t bits;
        std::memcpy(&bits, &unsignedZero, sizeof bits);
        return bits;
    }

    std::size_t operator()(const PointPair& pair) const {
        std::uint64_t h = bits(pair.start.x);
        for (const float value : {pair.start.y, pair.end.x, pair.end.y}) {
            h = h * 0x9E3779B97F4A7C15ull + bits(value);
        }
        return std::hash<std::uint64_t>{}(h);
    }
};

bool isComparable(const PointPair& pair) {
    // A NaN coordinate equals nothing, so such a pair never matches.
    return pair == pair;
}

} // namespace

std::vector<Segment> buildSegments(const Board& board) {
    std::vector<Segment> segments;
    std::unordered_set<PointPair, PointPairHash> present;
    present.reserve(2 * board.size());
    std::vector<bool> linked(board.size(), false);
    for (std::size_t index = 0; index < board.size(); ++index) {
        const Node& node = board[index];
        for (const std::int32_t target : node.link) {
            linked[index] = linked[static_cast<std::size_t>(target)] = true;
            const Point other = board[static_cast<std::size_t>(target)].coord;
            const PointPair reverse{other, node.coord};
            if (isComparable(reverse) && present.contains(reverse)) {
                continue;
            }
            segments.emplace_back(node.coord, other);
            if (isComparable(reverse)) {
                present.insert({node.coord, other});
            }
        }
    }
    for (std::size_t index = 0; index < board.size(); ++index) {
        if (!linked[index]) {
            segments.emplace_back(board[index].coord, board[index].coord);
        }
    }
    return segments;
}

namespace {

bool fitsAnalysedRange(float value) {
    const float magnitude = std::fabs(value);
    return value == 0.0f || (magnitude >= 0x1p-10f && magnitude <= 0x1p16f);
}

__extension__ using Int128 = __int128;

// The sign of the turn from a to b to c, exactly: the coordinates become
// integers by one common power of two, so nothing is rounded.
template <class Int, class ToInt>
int turnOf(Point a, Point b, Point c, ToInt toInt) {
    const Int ax = toInt(a.x), ay = toInt(a.y);
    const Int abx = toInt(b.x) - ax, aby = toInt(b.y) - ay;
    const Int acx = toInt(c.x) - ax, acy = toInt(c.y) - ay;
    const Int det = abx * acy - aby * acx;
    return (det > 0) - (det < 0);
}

int turn(Point a, Point b, Point c) {
    const std::initializer_list<float> values{a.x, a.y, b.x, b.y, c.x, c.y};
    if (std::all_of(values.begin(), values.end(), fitsAnalysedRange)) {
        // Every such value is a multiple of 2^-33 below 2^16: the products fit 101 bits.
        return turnOf<Int128>(a, b, c, [](float value) {
            return static_cast<Int128>(static_cast<std::int64_t>(std::ldexp(double{value}, 33)));
        });
    }
    if (!std::all_of(values.begin(), values.end(), [](float value) { return std::isfinite(value); })) {
        return 1; // no finite line to lie on
    }
    // Any finite float is a multiple of 2^-149 below 2^128: 278 bits, products 556.
    using Wide = boost::multiprecision::int1024_t;
    return turnOf<Wide>(a, b, c, [](float value) {
        int exponent = 0;
        const float fraction = std::frexp(value, &exponent);
        const auto mantissa = static_cast<std::int32_t>(std::ldexp(fraction, 24));
        return Wide(mantissa) << (exponent + 149);
    });
}

// A point of `segment` other than its end points, exactly.
bool liesInside(Point point, const Segment& segment) {
    const Point a = segment.getStart();
    const Point b = segment.getEnd();
    return !(point == a) && !(point == b) && std::min(a.x, b.x) <= point.x && point.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= point.y && point.y <= std::max(a.y, b.y) && turn(a, b, point) == 0;
}

// Links that meet without crossing but look like it: an end point of one
// inside the other, which covers a circle on a link that does not end there
// and two links on one line sharing more than a point.
bool touches(const Segment& first, const Segment& second) {
    return liesInside(first.getStart(), second) || liesInside(first.getEnd(), second) ||
           liesInside(second.getStart(), first) || liesInside(second.getEnd(), first);
}

bool sharesACentre(const Board& board) {
    std::unordered_set<PointPair, PointPairHash> centres;
    centres.reserve(board.size());
    for (const Node& node : board) {
        if (!centres.insert({node.coord, node.coord}).second) {
            return true;
        }
    }
    return false;
}

} // namespace

bool hasCrossingAllPairs(const std::vector<Segment>& segments) {
    for (const Segment& segment : segments) {
        for (const Segment& other : segments) {
            if (segment.RezultatulIntersectiei(other) == Segment::ProperCrossing || touches(segment, other)) {
                return true;
            }
        }
    }
    return false;
}

namespace {

// Which pairs can give ProperCrossing at all. RezultatulIntersectiei rounds
// every step, so it can report a crossing for segments that do not touch;
// the fast test must still find exactly those pairs. The bounds below hold
// when no intermediate result underflows or overflows, which is the case
// when every coordinate is 0 or of magnitude in [2^-10, 2^16] (the play
// area is a few hundred points); other boards go to the reference loop.
//
// Let u = 2^-24 and D the board's extent (width plus height). For a pair
// that gives ProperCrossing in some order, with v and w the two rounded
// direction vectors and theta the angle between them:
//  - A segment of zero length, or a segment with itself, makes the
//    denominator exactly 0: never a crossing.
//  - Each segment passes within 5u*D of the other's line (the numerators
//    and the denominator carry absolute errors of at most 2u|w||r| and
//    2u|v||w|, |r| the distance of the start points).
//  - If sin(theta) >= k = 2^-10, both segments pass within 5u*D/k of the
//    point where the lines meet, so their boxes, each grown by
//    D/1024 >= (5u/k + 1.5u)*D, overlap.
//  - If either segment is horizontal or vertical, the denominator and one
//    of the quotients carry only relative errors of a few u: the segments
//    come within about 12u*D of each other, and the grown boxes overlap.
//  - Otherwise the two are near-collinear: their directions differ by less
//    than k (modulo pi) and their lines, written as (angle, distance from
//    the board's corner), lie within 2.01k*D of each other. Such pairs are
//    found by a second grid over that line space, with boxes of half-size
//    k by 2k*D. This is no idle case: segments far apart on one slanted
//    line cross by rounding about one time in a hundred.
constexpr double kNearParallel = 1.0 / 1024.0;

struct Extent {
    double minX = 0.0;
    double minY = 0.0;
    double size = 0.0; // width plus height
};

bool withinAnalysedRange(const std::vector<Segment>& segments) {
    return std::all_of(segments.begin(), segments.end(), [](const Segment& segment) {
        return fitsAnalysedRange(segment.getStart().x) && fitsAnalysedRange(segment.getStart().y) &&
               fitsAnalysedRange(segment.getEnd().x) && fitsAnalysedRange(segment.getEnd().y);
    });
}

Extent extentOf(const std::vector<Segment>& segments) {
    double minX = segments[0].getStart().x, maxX = minX;
    double minY = segments[0].getStart().y, maxY = minY;
    for (const Segment& segment : segments) {
        for (const Point point : {segment.getStart(), segment.getEnd()}) {
            minX = std::min(minX, double{point.x});
            maxX = std::max(maxX, double{point.x});
            minY = std::min(minY, double{point.y});
            maxY = std::max(maxY, double{point.y});
        }
    }
    return {minX, minY, (maxX - minX) + (maxY - minY)};
}

std::vector<detail::Box> grownBoxes(const std::vector<Segment>& segments, const Extent& extent) {
    const double grow = extent.size * kNearParallel;
    std::vector<detail::Box> boxes;
    for (std::uint32_t index = 0; index < segments.size(); ++index) {
        const Point a = segments[index].getStart();
        const Point b = segments[index].getEnd();
        boxes.push_back({std::min<double>(a.x, b.x) - grow, std::min<double>(a.y, b.y) - grow,
                         std::max<double>(a.x, b.x) + grow, std::max<double>(a.y, b.y) + grow, index});
    }
    return boxes;
}

std::vector<detail::Box> lineBoxes(const std::vector<Segment>& segments, const Extent& extent) {
    const double halfDistance = 2.0 * kNearParallel * extent.size;
    std::vector<detail::Box> boxes;
    for (std::uint32_t index = 0; index < segments.size(); ++index) {
        const Point a = segments[index].getStart();
        const Point b = segments[index].getEnd();
        // The same rounded direction RezultatulIntersectiei works with.
        const float dx = b.x - a.x;
        const float dy = b.y - a.y;
        if (dx == 0.0f || dy == 0.0f) {
            continue;
        }
        double angle = std::atan2(double{dy}, double{dx});
        if (angle < 0.0) {
            angle += std::numbers::pi;
        }
        const double distance = -std::sin(angle) * (a.x - extent.minX) + std::cos(angle) * (a.y - extent.minY);
        const auto add = [&](double at, double offset) {
            boxes.push_back(
                {at - kNearParallel, offset - halfDistance, at + kNearParallel, offset + halfDistance, index});
        };
        add(angle, distance);
        // Angles near 0 meet angles near pi: the same line turned round.
        if (angle < kNearParallel) {
            add(angle + std::numbers::pi, -distance);
        }
    }
    return boxes;
}

} // namespace

bool hasCrossing(const std::vector<Segment>& segments) {
    if (segments.size() < 2) {
        return false;
    }
    if (!withinAnalysedRange(segments)) {
        return hasCrossingAllPairs(segments);
    }
    // A contact is exact, so its segments' boxes touch: the first grid meets it.
    const auto crosses = [&segments](std::uint32_t a, std::uint32_t b) {
        return segments[a].RezultatulIntersectiei(segments[b]) == Segment::ProperCrossing ||
               segments[b].RezultatulIntersectiei(segments[a]) == Segment::ProperCrossing ||
               touches(segments[a], segments[b]);
    };
    const Extent extent = extentOf(segments);
    return detail::anyOverlappingPair(grownBoxes(segments, extent), crosses) ||
           detail::anyOverlappingPair(lineBoxes(segments, extent), crosses);
}

bool isSolved(const Board& board) {
    if (sharesACentre(board)) {
        return false;
    }
    std::vector<Segment> segments = buildSegments(board);
    return !hasCrossing(segments);
}

} // namespace core

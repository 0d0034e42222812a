#pragma once

#include "core/segment.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace core {

// Every board the game holds lies on whole points between 0 and this. There
// every difference and product RezultatulIntersectiei forms is exact in
// 32-bit floats (differences up to 2^11, products up to 2^22, their
// differences up to 2^23), so its answer can be decided exactly in integers.
inline constexpr std::int64_t kWholePointRange = 2048;

inline bool isWholePointInRange(float value) {
    return value >= 0.0f && value <= static_cast<float>(kWholePointRange) && value == std::floor(value);
}

inline bool isOnWholePoints(const Segment& segment) {
    return isWholePointInRange(segment.getStart().x) && isWholePointInRange(segment.getStart().y) &&
           isWholePointInRange(segment.getEnd().x) && isWholePointInRange(segment.getEnd().y);
}

namespace detail {

// A segment between two points of an exact integer grid, where one point is
// `unit` steps (the game's boards: whole points, a unit of 1).
template <class Int>
struct ExactSegment {
    Int ax, ay, bx, by;

    bool hasEnd(const Int& x, const Int& y) const { return (x == ax && y == ay) || (x == bx && y == by); }

    // Whether (x, y), not an end of this segment, lies within one point of it:
    // where a link's stroke, two points wide, covers it.
    bool nearlyHolds(const Int& x, const Int& y, const Int& unit) const {
        if (hasEnd(x, y)) return false;
        // Beyond the segment's box grown by a point, cheaply.
        if (x + unit < std::min(ax, bx) || x - unit > std::max(ax, bx) || y + unit < std::min(ay, by) ||
            y - unit > std::max(ay, by)) {
            return false;
        }
        const Int abx = bx - ax, aby = by - ay, apx = x - ax, apy = y - ay;
        const Int along = abx * apx + aby * apy;
        const Int length2 = abx * abx + aby * aby;
        const Int unit2 = unit * unit;
        if (along <= 0) return apx * apx + apy * apy <= unit2;
        if (along >= length2) return (x - bx) * (x - bx) + (y - by) * (y - by) <= unit2;
        const Int across = abx * apy - aby * apx;
        return across * across <= unit2 * length2;
    }
};

// On whole points up to kWholePointRange every product fits 64 bits.
using WholeSegment = ExactSegment<std::int64_t>;

inline WholeSegment wholeSegment(const Segment& segment) {
    return {static_cast<std::int64_t>(segment.getStart().x), static_cast<std::int64_t>(segment.getStart().y),
            static_cast<std::int64_t>(segment.getEnd().x), static_cast<std::int64_t>(segment.getEnd().y)};
}

// An end of one lies within one point of the other, and is not its end.
template <class Int>
bool nearlyTouch(const ExactSegment<Int>& s, const ExactSegment<Int>& t, const Int& unit) {
    return t.nearlyHolds(s.ax, s.ay, unit) || t.nearlyHolds(s.bx, s.by, unit) || s.nearlyHolds(t.ax, t.ay, unit) ||
           s.nearlyHolds(t.bx, t.by, unit);
}

// Links of one circle meet only there; they look crossed when the far end
// of one lies within a point of the other, that is when one runs along the
// other. u and v run from the shared circle to the far ends.
inline bool alongEachOther(std::int64_t ux, std::int64_t uy, std::int64_t vx, std::int64_t vy) {
    const std::int64_t along = ux * vx + uy * vy;
    const std::int64_t uu = ux * ux + uy * uy, vv = vx * vx + vy * vy;
    // At a right angle or wider, only a link of a point reaches the other;
    // a segment of no length has no far end.
    if (along <= 0) return (uu == 1) || (vv == 1);
    const std::int64_t across = ux * vy - uy * vx, apart = uu + vv - 2 * along;
    // The far end of each against the other's segment from the shared circle.
    const auto near = [&](std::int64_t other) { return along >= other ? apart <= 1 : across * across <= other; };
    return near(uu) || near(vv);
}

// How the player sees two links on whole points that share no end: crossed,
// or one's end on the other.
inline bool looksCrossedApart(const WholeSegment& s, const WholeSegment& t) {
    // Each end's turn from the other segment: the crossing's signs, and the
    // end's distance from the other's line, its length times over.
    const std::int64_t sx = s.bx - s.ax, sy = s.by - s.ay, tx = t.bx - t.ax, ty = t.by - t.ay;
    const std::int64_t tStart = sx * (t.ay - s.ay) - sy * (t.ax - s.ax), tEnd = sx * (t.by - s.ay) - sy * (t.bx - s.ax);
    const std::int64_t sStart = tx * (s.ay - t.ay) - ty * (s.ax - t.ax), sEnd = tx * (s.by - t.ay) - ty * (s.bx - t.ax);
    const auto opposite = [](std::int64_t a, std::int64_t b) { return (a < 0 && b > 0) || (a > 0 && b < 0); };
    if (opposite(tStart, tEnd) && opposite(sStart, sEnd)) return true;
    // An end further than a point from the other's line is further from the other.
    const std::int64_t ss = sx * sx + sy * sy, tt = tx * tx + ty * ty;
    constexpr std::int64_t unit = 1;
    return (tStart * tStart <= ss && s.nearlyHolds(t.ax, t.ay, unit)) ||
           (tEnd * tEnd <= ss && s.nearlyHolds(t.bx, t.by, unit)) ||
           (sStart * sStart <= tt && t.nearlyHolds(s.ax, s.ay, unit)) ||
           (sEnd * sEnd <= tt && t.nearlyHolds(s.bx, s.by, unit));
}

// Whether one segment runs along the other from the shared circle (cx, cy),
// an end of each.
inline bool alongEachOtherFrom(const WholeSegment& s, const WholeSegment& t, std::int64_t cx, std::int64_t cy) {
    const bool sStarts = s.ax == cx && s.ay == cy, tStarts = t.ax == cx && t.ay == cy;
    return alongEachOther((sStarts ? s.bx : s.ax) - cx, (sStarts ? s.by : s.ay) - cy, (tStarts ? t.bx : t.ax) - cx,
                          (tStarts ? t.by : t.ay) - cy);
}

// Two segments whose ends are all ends of the other are one line, unless one
// of them is a lone point at an end of the other, which is then a shared circle.
inline bool oneLine(const WholeSegment& s, const WholeSegment& t) {
    return (s.ax == s.bx && s.ay == s.by) == (t.ax == t.bx && t.ay == t.by);
}

// The same for any two links whose boxes come within a point of each other.
inline bool looksCrossedNearby(const WholeSegment& s, const WholeSegment& t) {
    const bool startShared = t.hasEnd(s.ax, s.ay), endShared = t.hasEnd(s.bx, s.by);
    if (startShared && endShared && oneLine(s, t)) return false;
    if (startShared || endShared) return alongEachOtherFrom(s, t, startShared ? s.ax : s.bx, startShared ? s.ay : s.by);
    return looksCrossedApart(s, t);
}

inline bool looksCrossed(const WholeSegment& s, const WholeSegment& t) {
    const auto apart = [](std::int64_t a1, std::int64_t a2, std::int64_t b1, std::int64_t b2) {
        return std::max(a1, a2) + 1 < std::min(b1, b2) || std::max(b1, b2) + 1 < std::min(a1, a2);
    };
    return !apart(s.ax, s.bx, t.ax, t.bx) && !apart(s.ay, s.by, t.ay, t.by) && looksCrossedNearby(s, t);
}

} // namespace detail

} // namespace core

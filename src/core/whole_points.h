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

    // The sign of the turn from a to b to (x, y).
    int turn(const Int& x, const Int& y) const {
        const Int det = (bx - ax) * (y - ay) - (by - ay) * (x - ax);
        return (det > 0) - (det < 0);
    }

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

// The two segments cross at a point inside both.
inline bool crossInside(const WholeSegment& s, const WholeSegment& t) {
    return s.turn(t.ax, t.ay) * s.turn(t.bx, t.by) < 0 && t.turn(s.ax, s.ay) * t.turn(s.bx, s.by) < 0;
}

// Links of one circle meet only there; they look crossed when the far end
// of one lies within a point of the other, that is when one runs along the
// other. `atStart`: the shared circle is s's start.
inline bool alongEachOther(const WholeSegment& s, const WholeSegment& t, bool atStart) {
    const std::int64_t cx = atStart ? s.ax : s.bx, cy = atStart ? s.ay : s.by;
    const std::int64_t ux = (atStart ? s.bx : s.ax) - cx, uy = (atStart ? s.by : s.ay) - cy;
    const bool tStarts = t.ax == cx && t.ay == cy;
    const std::int64_t vx = (tStarts ? t.bx : t.ax) - cx, vy = (tStarts ? t.by : t.ay) - cy;
    const std::int64_t along = ux * vx + uy * vy, across = ux * vy - uy * vx;
    const std::int64_t uu = ux * ux + uy * uy, vv = vx * vx + vy * vy;
    const std::int64_t apart = (ux - vx) * (ux - vx) + (uy - vy) * (uy - vy);
    // The far end of each against the other's segment from the shared circle;
    // a segment of no length has no far end.
    const auto near = [&](std::int64_t own, std::int64_t other) {
        if (own == 0) return false;
        if (along <= 0) return own <= 1;
        if (along >= other) return apart <= 1;
        return across * across <= other;
    };
    return near(vv, uu) || near(uu, vv);
}

// How the player sees two links on whole points that share no end: crossed,
// or one's end on the other.
inline bool looksCrossedApart(const WholeSegment& s, const WholeSegment& t) {
    return crossInside(s, t) || nearlyTouch(s, t, std::int64_t{1});
}

// The same for any two links whose boxes come within a point of each other.
inline bool looksCrossedNearby(const WholeSegment& s, const WholeSegment& t) {
    const bool startShared = t.hasEnd(s.ax, s.ay), endShared = t.hasEnd(s.bx, s.by);
    if (startShared && endShared) return false; // one line
    if (startShared || endShared) return alongEachOther(s, t, startShared);
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

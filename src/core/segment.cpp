#include "core/segment.h"

#include <cfloat>

// Every product and difference below must be rounded to a 32-bit float on
// its own, in the grouping written: saved boards and the crossing test's
// error bounds depend on it. This target is built with -ffp-contract=off so
// that no multiply-add is fused; excess precision is ruled out here.
static_assert(FLT_EVAL_METHOD == 0, "float expressions must be evaluated in float");

namespace core {

Segment::Segment(Point start, Point end) : start_(start), end_(end) {}

int Segment::RezultatulIntersectiei(const Segment& other) const {
    const Point p = start_;
    const Point q = end_;
    const Point r = other.start_;
    const Point s = other.end_;

    const float d = (s.y - r.y) * (q.x - p.x) - (s.x - r.x) * (q.y - p.y);
    const float na = (s.x - r.x) * (p.y - r.y) - (s.y - r.y) * (p.x - r.x);
    const float nb = (q.x - p.x) * (p.y - r.y) - (q.y - p.y) * (p.x - r.x);

    if (d == 0.0f) {
        return na == 0.0f && nb == 0.0f ? Touching : Parallel;
    }
    const float ua = na / d;
    const float ub = nb / d;
    if (!(0.0f <= ua && ua <= 1.0f && 0.0f <= ub && ub <= 1.0f)) {
        return MeetOutside;
    }
    const Point meeting{(q.x - p.x) * ua + p.x, (q.y - p.y) * ua + p.y};
    if (meeting == p || meeting == q || meeting == r || meeting == s) {
        return Touching;
    }
    return ProperCrossing;
}

} // namespace core

#pragma once

#include "core/point.h"

namespace core {

// A straight link between two points, with the one test the end-of-level
// check needs: how it meets another segment.
class Segment {
public:
    // How two segments meet (the result of RezultatulIntersectiei).
    enum Meeting : int {
        Parallel = 0,       // parallel, distinct lines
        Touching = 1,       // same line, or meeting at an end point
        MeetOutside = 2,    // the lines meet outside a segment
        ProperCrossing = 3, // the only case that counts as a crossing
    };

    Segment(Point start, Point end);

    Point getStart() const { return start_; }
    Point getEnd() const { return end_; }

    // Classifies how this segment meets `other` (see Meeting). 32-bit float
    // arithmetic, no tolerance.
    int RezultatulIntersectiei(const Segment& other) const;

private:
    Point start_;
    Point end_;
};

} // namespace core

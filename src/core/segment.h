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
    float getIntersX() const { return intersX_; }
    float getIntersY() const { return intersY_; }
    void setIntersX(float x) { intersX_ = x; }
    void setIntersY(float y) { intersY_ = y; }

    // Classifies how this segment meets `other` (see Meeting). When the
    // segments meet inside both, the meeting point is stored in this
    // segment; `other` is never changed. 32-bit float arithmetic, no
    // tolerance.
    int RezultatulIntersectiei(const Segment& other);

private:
    Point start_;
    Point end_;
    float intersX_ = 0.0f;
    float intersY_ = 0.0f;
};

} // namespace core

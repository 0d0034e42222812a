#pragma once

namespace core {

// A position on the game screen, in points. Comparisons are exact: the
// crossing test and the saved boards rely on bit-for-bit equal coordinates.
struct Point {
    float x = 0.0f;
    float y = 0.0f;

    friend bool operator==(const Point&, const Point&) = default;
};

} // namespace core

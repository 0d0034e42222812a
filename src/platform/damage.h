#pragma once

#include "platform/geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {

// The parts of the screen that changed since the last frame, kept as tiles
// of a fixed grid so that any number of small changes adds up to a few
// rectangles that never overlap: a back end that keeps the last frame
// redraws only those, and each pixel once.
class Damage {
public:
    // Tiles this many points square.
    static constexpr float kTile = 10;

    explicit Damage(Size screen);

    // The pixels of the screen drawn from it, a point of which may be
    // smaller than a pixel: the margin around each change is a point or a pixel, whichever is larger.
    void setPixelsPerPoint(float pixels) { margin_ = std::max(1.f, 1 / pixels); }
    // Everything changed (the state a new screen starts in).
    void addAll() { all_ = true; }
    // A rectangle of screen points changed, with anything it touches at its edges.
    void add(Rect rect);
    void clear();

    // Whether anything that changed lies in `rect` or touches its edges.
    bool touches(Rect rect) const;

    bool isEmpty() const { return !all_ && !any_; }
    bool isAll() const { return all_; }
    // The changed tiles as disjoint rectangles (rows of tiles, runs of equal
    // rows merged), within the screen; the whole screen when all changed.
    std::vector<Rect> rects() const;

private:
    // The tiles that `rect`, with the margin, lies on: columns x0..x1, rows y0..y1.
    struct Span {
        int x0, x1, y0, y1;
    };
    Span span(Rect rect) const;

    int columns_, rows_;
    Size screen_;
    float margin_ = 1;        // points
    std::vector<bool> tiles_; // row by row
    bool all_ = true;
    bool any_ = false;
};

// Calls `piece` with the box of each short piece of the line from `from` to
// `to` drawn `width` thick, until one call answers true; answers whether one
// did. A long slanted line so touches a band of tiles, not the box around it.
template <class Piece>
bool anyPieceAlong(Point from, Point to, float width, Piece piece) {
    constexpr float kPiece = Damage::kTile / 2, kMostPieces = 1000; // past that, one box is as good
    const float length = distance(from, to);
    const int pieces = length < kPiece * kMostPieces ? std::max(1, static_cast<int>(std::ceil(length / kPiece))) : 1;
    Point start = from;
    for (int k = 1; k <= pieces; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(pieces);
        const Point end{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
        const float left = std::min(start.x, end.x), top = std::min(start.y, end.y);
        const Rect box{left - width / 2, top - width / 2, std::max(start.x, end.x) - left + width,
                       std::max(start.y, end.y) - top + width};
        if (piece(box)) return true;
        start = end;
    }
    return false;
}

} // namespace ui

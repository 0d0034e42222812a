#include "platform/canvas.h"

#include <algorithm>
#include <cmath>

namespace ui {

void Canvas::restoreGState() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
}

void Canvas::translateCTM(float dx, float dy) { state_.ctm = state_.ctm.after(Affine::translation(dx, dy)); }
void Canvas::scaleCTM(float sx, float sy) { state_.ctm = state_.ctm.after(Affine::scaling(sx, sy)); }
void Canvas::rotateCTM(const Transform& rotation) { state_.ctm = state_.ctm.after(Affine::rotation(rotation)); }
void Canvas::concatCTM(const Affine& transform) { state_.ctm = state_.ctm.after(transform); }

Rect Canvas::Quad::box() const {
    const Point c = bottomRight();
    const float minX = std::min({topLeft.x, topRight.x, bottomLeft.x, c.x});
    const float maxX = std::max({topLeft.x, topRight.x, bottomLeft.x, c.x});
    const float minY = std::min({topLeft.y, topRight.y, bottomLeft.y, c.y});
    const float maxY = std::max({topLeft.y, topRight.y, bottomLeft.y, c.y});
    return {minX, minY, maxX - minX, maxY - minY};
}

Canvas::Quad Canvas::deviceQuad(Rect rect) const {
    const Affine& m = state_.ctm;
    return {m.apply(rect.origin), m.apply({rect.maxX(), rect.minY()}), m.apply({rect.minX(), rect.maxY()})};
}

bool Canvas::coversClip(Rect rect) const {
    const Quad q = deviceQuad(rect);
    if (!state_.clip || !q.upright()) return false;
    const Rect box = q.box(), &c = *state_.clip;
    return box.minX() <= c.minX() && box.minY() <= c.minY() && box.maxX() >= c.maxX() && box.maxY() >= c.maxY();
}

void Canvas::clipToRect(Rect rect) {
    Rect box = deviceQuad(rect).box();
    if (state_.clip) {
        const Rect& c = *state_.clip;
        const float minX = std::max(box.minX(), c.minX()), minY = std::max(box.minY(), c.minY());
        const float maxX = std::min(box.maxX(), c.maxX()), maxY = std::min(box.maxY(), c.maxY());
        box = {minX, minY, std::max(0.f, maxX - minX), std::max(0.f, maxY - minY)};
    }
    state_.clip = box;
}

void Canvas::moveToPoint(Point p) { path_.push_back({state_.ctm.apply(p)}); }

void Canvas::addLineToPoint(Point p) {
    if (path_.empty()) path_.emplace_back();
    path_.back().push_back(state_.ctm.apply(p));
}

void Canvas::strokePath() {
    const Affine& m = state_.ctm;
    const float scale = std::sqrt(std::abs(m.a * m.d - m.b * m.c));
    Color color = state_.strokeColor;
    color.alpha *= state_.alpha;
    for (const auto& polyline : path_) {
        if (polyline.size() >= 2) strokePolyline(polyline, color, state_.lineWidth * scale);
    }
    path_.clear();
}

void Canvas::drawKept(const void*, std::uint64_t, Rect, const std::function<void(Canvas&)>& draw) { draw(*this); }

} // namespace ui

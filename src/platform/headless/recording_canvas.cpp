#include "platform/headless/recording_canvas.h"

#include "platform/image.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::vector<std::string> RecordingCanvas::textStrings() const {
    std::vector<std::string> strings;
    for (const auto& t : texts_) strings.push_back(t.text);
    return strings;
}

bool RecordingCanvas::showsBox(const Rect& box) const {
    if (!clip()) return true;
    const Rect& c = *clip();
    return box.minX() < c.maxX() && c.minX() < box.maxX() && box.minY() < c.maxY() && c.minY() < box.maxY();
}

// Whether any part of the segment lies inside the clip (Liang-Barsky).
bool RecordingCanvas::showsSegment(Point from, Point to) const {
    if (!clip()) return true;
    const Rect& c = *clip();
    const float dx = to.x - from.x, dy = to.y - from.y;
    float enter = 0, leave = 1;
    const float p[] = {-dx, dx, -dy, dy};
    const float q[] = {from.x - c.minX(), c.maxX() - from.x, from.y - c.minY(), c.maxY() - from.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    return enter <= leave;
}

void RecordingCanvas::fillRect(Rect rect, Color color) {
    const Rect box = deviceQuad(rect).box();
    if (!showsBox(box)) return;
    color.alpha *= alpha();
    fills_.push_back({box, color});
}

void RecordingCanvas::drawImage(const Image& image, Rect rect) {
    // The picture's top edge lies on the rect's maxY side.
    const Quad q = deviceQuad(rect);
    if (!showsBox(q.box())) return;
    images_.push_back({image.name(), q.box(), q.bottomLeft.y < q.topLeft.y, alpha()});
}

void RecordingCanvas::drawText(const TextRun& text, Rect rect) {
    const Quad q = deviceQuad(rect);
    if (!showsBox(q.box())) return;
    const Point along = q.topRight - q.topLeft;
    Color color = text.color;
    color.alpha *= alpha();
    texts_.push_back({text.text, text.font, color, text.alignment, q.box(), std::atan2(along.y, along.x), alpha()});
}

void RecordingCanvas::strokePolyline(const std::vector<Point>& points, Color color, float width) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (showsSegment(points[i - 1], points[i])) lines_.push_back({points[i - 1], points[i], color, width});
    }
}

} // namespace ui

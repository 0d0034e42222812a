#include "platform/headless/recording_canvas.h"

#include "platform/image.h"

#include <cmath>

namespace ui {

std::vector<std::string> RecordingCanvas::textStrings() const {
    std::vector<std::string> strings;
    for (const auto& t : texts_) strings.push_back(t.text);
    return strings;
}

void RecordingCanvas::fillRect(Rect rect, Color color) {
    color.alpha *= alpha();
    fills_.push_back({deviceQuad(rect).box(), color});
}

void RecordingCanvas::drawImage(const Image& image, Rect rect) {
    // The picture's top edge lies on the rect's maxY side.
    const Quad q = deviceQuad(rect);
    images_.push_back({image.name(), q.box(), q.bottomLeft.y < q.topLeft.y, alpha()});
}

void RecordingCanvas::drawText(const TextRun& text, Rect rect) {
    const Quad q = deviceQuad(rect);
    const Point along = q.topRight - q.topLeft;
    Color color = text.color;
    color.alpha *= alpha();
    texts_.push_back({text.text, text.font, color, text.alignment, q.box(), std::atan2(along.y, along.x), alpha()});
}

void RecordingCanvas::strokePolyline(const std::vector<Point>& points, Color color, float width) {
    for (std::size_t i = 1; i < points.size(); ++i) lines_.push_back({points[i - 1], points[i], color, width});
}

} // namespace ui

#include "platform/text_view.h"

#include "platform/canvas.h"

namespace ui {

TextView::TextView(Rect frame) : View(frame) { setBackgroundColor(Color::white()); }

void TextView::setText(std::string text) {
    text_ = std::move(text);
    setNeedsDisplay();
}

void TextView::setFont(Font font) {
    font_ = std::move(font);
    setNeedsDisplay();
}

void TextView::setTextColor(Color color) {
    textColor_ = color;
    setNeedsDisplay();
}

void TextView::drawRect(Canvas& canvas, Rect rect) {
    const Rect inner{rect.minX() + kInset, rect.minY() + kInset, rect.width() - 2 * kInset, rect.height() - 2 * kInset};
    if (!text_.empty()) canvas.drawText({text_, font_, textColor_, TextAlignment::Left, true}, inner);
}

} // namespace ui

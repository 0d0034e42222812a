#include "platform/label.h"

#include "platform/canvas.h"

namespace ui {

Label::Label(Rect frame) : View(frame) { setUserInteractionEnabled(false); }

void Label::setText(std::string text) {
    text_ = std::move(text);
    // One line stays within the label's height (the clock ticks here), though
    // it may run past the ends; more lines may run below it.
    constexpr float kFar = 10000;
    const Rect b = bounds();
    if (numberOfLines_ == 1)
        setNeedsDisplayInRect({b.minX() - kFar, b.minY(), b.width() + 2 * kFar, b.height()});
    else
        setNeedsDisplay();
}

void Label::setFont(Font font) {
    font_ = std::move(font);
    setNeedsDisplay();
}

void Label::setTextColor(Color color) {
    textColor_ = color;
    setNeedsDisplay();
}

void Label::setTextAlignment(TextAlignment alignment) {
    alignment_ = alignment;
    setNeedsDisplay();
}

void Label::setNumberOfLines(int lines) {
    numberOfLines_ = lines;
    setNeedsDisplay();
}

void Label::setTruncatesTail(bool truncates) {
    truncatesTail_ = truncates;
    setNeedsDisplay();
}

void Label::drawRect(Canvas& canvas, Rect rect) {
    if (!text_.empty())
        canvas.drawText({text_, font_, textColor_, alignment_, numberOfLines_ != 1, truncatesTail_}, rect);
}

} // namespace ui

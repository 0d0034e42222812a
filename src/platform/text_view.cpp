#include "platform/text_view.h"

namespace ui {

TextView::TextView(Rect frame) : Label(frame) {
    setNumberOfLines(0);
    setFont({"Helvetica", 12});
    setBackgroundColor(Color::white());
    setUserInteractionEnabled(true);
}

void TextView::drawRect(Canvas& canvas, Rect rect) {
    Label::drawRect(
        canvas, {rect.minX() + kInset, rect.minY() + kInset, rect.width() - 2 * kInset, rect.height() - 2 * kInset});
}

} // namespace ui

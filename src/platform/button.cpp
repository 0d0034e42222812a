#include "platform/button.h"

#include "platform/touch.h"

namespace ui {

Button::Button(Rect frame, std::string title, Font font, Color color, Color pressedColor, std::function<void()> action)
    : Label(frame), color_(color), pressedColor_(pressedColor), action_(std::move(action)) {
    setText(std::move(title));
    setFont(std::move(font));
    setTextColor(color_);
    setTextAlignment(TextAlignment::Center);
    setUserInteractionEnabled(true);
}

void Button::touchesBegan(const TouchSet&, const Event&) { setTextColor(pressedColor_); }
void Button::touchesMoved(const TouchSet&, const Event&) {}
void Button::touchesCancelled(const TouchSet&, const Event&) { setTextColor(color_); }

void Button::touchesEnded(const TouchSet& touches, const Event&) {
    setTextColor(color_);
    if (pointInside(touches.anyObject().locationInView(this))) action_();
}

} // namespace ui

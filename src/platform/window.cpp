#include "platform/window.h"

namespace ui {

namespace {
Window* keyWindowPointer = nullptr;
}

Window::Window(Rect frame) : View(frame) { setBackgroundColor(Color::black()); }

Window::~Window() {
    if (keyWindowPointer == this) keyWindowPointer = nullptr;
}

void Window::makeKeyAndVisible() {
    keyWindowPointer = this;
    visible_ = true;
    setNeedsDisplay();
}

Window* Window::keyWindow() { return keyWindowPointer; }

} // namespace ui

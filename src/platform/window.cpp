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

bool Window::keyPressed(Key key) {
    // A view may leave the window while it handles the key: hold them all meanwhile.
    const std::vector<std::shared_ptr<View>> views = subviews();
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        if ((*it)->keyPressed(key)) return true;
    }
    return false;
}

} // namespace ui

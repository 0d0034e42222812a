#include "platform/window.h"

namespace ui {

namespace {
Window* keyWindowPointer = nullptr;
}

Window::Window(Rect frame) : View(frame), damage_(frame.size) { setBackgroundColor(Color::black()); }

Window::~Window() {
    if (keyWindowPointer == this) keyWindowPointer = nullptr;
}

void Window::makeKeyAndVisible() {
    keyWindowPointer = this;
    visible_ = true;
    setNeedsDisplay();
}

Window* Window::keyWindow() { return keyWindowPointer; }

void Window::subtreeNeedsDisplay(const std::optional<Rect>& windowRect) {
    if (windowRect)
        damage_.add(*windowRect);
    else
        damage_.addAll();
}

bool Window::keyPressed(Key key) {
    // A view may leave the window while it handles the key: hold them all meanwhile.
    const std::vector<std::shared_ptr<View>> views = subviews();
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        if ((*it)->keyPressed(key)) return true;
    }
    return false;
}

void Window::movePointer(std::optional<Point> windowPoint) {
    View* under = windowPoint ? hitTest(*windowPoint) : nullptr;
    View* before = hoveredView();
    if (under == before) return;
    hovered_ = under;
    hoveredLiveness_ = under ? under->liveness() : std::weak_ptr<const void>();
    if (before) before->pointerExited();
    if (under) under->pointerEntered();
}

void Window::turnWheel(Point windowPoint, float lines) {
    if (View* under = hitTest(windowPoint)) under->scrollWheel(lines);
    // What scrolled moved under a still pointer.
    if (hoveredView()) movePointer(windowPoint);
}

} // namespace ui

#include "platform/scroll_view.h"

#include "platform/touch.h"

#include <algorithm>

namespace ui {

ScrollView::ScrollView(Rect frame) : View(frame) { setClipsToBounds(true); }

void ScrollView::setContentSize(Size size) {
    contentSize_ = size;
    setContentOffset(contentOffset());
}

void ScrollView::setContentOffset(Point offset) {
    const Size view = bounds().size;
    const float maxX = std::max(0.f, contentSize_.width - view.width);
    const float maxY = std::max(0.f, contentSize_.height - view.height);
    const Point kept{std::clamp(offset.x, 0.f, maxX), std::clamp(offset.y, 0.f, maxY)};
    if (kept == contentOffset()) return;
    setBounds({kept, view});
    didScroll();
}

bool ScrollView::takesOverDraggedTouches() const {
    return contentSize_.width > bounds().width() || contentSize_.height > bounds().height();
}

// The scroll view takes every touch that reaches it; only a drag does something.
void ScrollView::touchesBegan(const TouchSet&, const Event&) {}
void ScrollView::touchesEnded(const TouchSet&, const Event&) {}
void ScrollView::touchesCancelled(const TouchSet&, const Event&) {}

void ScrollView::touchesMoved(const TouchSet& touches, const Event&) {
    const Touch& touch = touches.anyObject();
    // Measured outside the view, since scrolling moves the view's own coordinates.
    const View* outer = superview();
    const Point moved = touch.locationInView(outer) - touch.previousLocationInView(outer);
    setContentOffset(contentOffset() - transform().applyInverse(moved));
}

// A notch away from the player shows what lies above, as on the desktop.
void ScrollView::scrollWheel(float lines) { setContentOffset(contentOffset() - Point{0, lines * kWheelLine}); }

} // namespace ui

#include "platform/touch.h"

#include "platform/run_loop.h"
#include "platform/view.h"

namespace ui {

View* Touch::view() const { return viewLiveness_.expired() ? nullptr : view_; }

Point Touch::locationInView(const View* view) const { return view ? view->convertFromWindow(location_) : location_; }

Point Touch::previousLocationInView(const View* view) const {
    return view ? view->convertFromWindow(previous_) : previous_;
}

Event TouchDispatcher::eventNow() const {
    std::vector<const Touch*> all;
    for (const auto& [finger, touch] : touches_) all.push_back(touch.get());
    return Event(TouchSet(std::move(all)), RunLoop::current().now());
}

void TouchDispatcher::deliver(Touch& touch, TouchPhase phase) {
    touch.phase_ = phase;
    touch.timestamp_ = RunLoop::current().now();
    View* view = touch.view();
    if (!view) return;
    // A handler may take its own view out of the tree; it stays alive until the handler returns.
    const std::shared_ptr<View> keepAlive = view->weak_from_this().lock();
    const TouchSet touches({&touch});
    const Event event = eventNow();
    switch (phase) {
    case TouchPhase::Began: view->touchesBegan(touches, event); break;
    case TouchPhase::Moved: view->touchesMoved(touches, event); break;
    case TouchPhase::Ended: view->touchesEnded(touches, event); break;
    case TouchPhase::Cancelled: view->touchesCancelled(touches, event); break;
    }
}

void TouchDispatcher::began(int finger, Point windowPoint) {
    if (touches_.contains(finger)) cancelled(finger); // a finger cannot land twice
    auto touch = std::make_unique<Touch>();
    touch->finger_ = finger;
    touch->start_ = touch->location_ = touch->previous_ = windowPoint;

    const double now = RunLoop::current().now();
    const bool continuesTaps =
        now - lastTap_.time <= kMultiTapInterval && distance(windowPoint, lastTap_.where) <= kMultiTapDistance;
    touch->tapCount_ = continuesTaps ? lastTap_.count + 1 : 1;

    if (View* view = root_.hitTest(windowPoint)) {
        touch->view_ = view;
        touch->viewLiveness_ = view->liveness();
    }
    Touch& t = *touch;
    touches_[finger] = std::move(touch);
    deliver(t, TouchPhase::Began);
}

void TouchDispatcher::moved(int finger, Point windowPoint) {
    auto it = touches_.find(finger);
    if (it == touches_.end()) return;
    Touch& touch = *it->second;
    touch.previous_ = touch.location_;
    touch.location_ = windowPoint;
    if (distance(windowPoint, touch.start_) > kTapSlop) {
        touch.wandered_ = true;
        handOverToScrollingAncestor(touch);
    }
    deliver(touch, TouchPhase::Moved);
}

// A drag that began on an entry of a scroll view scrolls the list instead:
// the entry is told the touch was cancelled and the scroll view takes it.
void TouchDispatcher::handOverToScrollingAncestor(Touch& touch) {
    View* view = touch.view();
    if (!view || view->takesOverDraggedTouches()) return;
    for (View* ancestor = view->superview(); ancestor; ancestor = ancestor->superview()) {
        if (!ancestor->takesOverDraggedTouches()) continue;
        deliver(touch, TouchPhase::Cancelled);
        touch.view_ = ancestor;
        touch.viewLiveness_ = ancestor->liveness();
        deliver(touch, TouchPhase::Began);
        return;
    }
}

void TouchDispatcher::ended(int finger, Point windowPoint) {
    auto it = touches_.find(finger);
    if (it == touches_.end()) return;
    Touch& touch = *it->second;
    touch.previous_ = touch.location_;
    touch.location_ = windowPoint;
    if (!touch.wandered_ && distance(windowPoint, touch.start_) <= kTapSlop) {
        lastTap_ = {windowPoint, RunLoop::current().now(), touch.tapCount_};
    } else {
        lastTap_ = {};
    }
    deliver(touch, TouchPhase::Ended);
    touches_.erase(finger);
}

void TouchDispatcher::cancelled(int finger) {
    auto it = touches_.find(finger);
    if (it == touches_.end()) return;
    deliver(*it->second, TouchPhase::Cancelled);
    touches_.erase(finger);
}

void TouchDispatcher::cancelAll() {
    while (!touches_.empty()) cancelled(touches_.begin()->first);
}

} // namespace ui

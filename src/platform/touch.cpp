#include "platform/touch.h"

#include "platform/run_loop.h"
#include "platform/view.h"

namespace ui {

namespace {

// The scroll view that takes over a drag begun on `view`, one of its contents, if there is one.
View* scrollingAncestor(const View* view) {
    if (!view || view->takesOverDraggedTouches()) return nullptr;
    for (View* ancestor = view->superview(); ancestor; ancestor = ancestor->superview()) {
        if (ancestor->takesOverDraggedTouches()) return ancestor;
    }
    return nullptr;
}

} // namespace

View* Touch::view() const { return viewLiveness_.expired() ? nullptr : view_; }

Point Touch::locationInView(const View* view) const { return view ? view->convertFromWindow(location_) : location_; }

Point Touch::previousLocationInView(const View* view) const {
    return view ? view->convertFromWindow(previous_) : previous_;
}

Point Touch::startLocationInView(const View* view) const { return view ? view->convertFromWindow(start_) : start_; }

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
    auto touch = std::make_shared<Touch>();
    touch->finger_ = finger;
    touch->start_ = touch->location_ = touch->previous_ = windowPoint;

    View* view = root_.hitTest(windowPoint);
    const double now = RunLoop::current().now();
    // A tap count belongs to one view: a quick second tap on another one is a new single tap.
    const bool continuesTaps = view && view == lastTap_.view && !lastTap_.viewLiveness.expired() &&
                               now - lastTap_.time <= kMultiTapInterval &&
                               distance(windowPoint, lastTap_.where) <= kMultiTapDistance;
    touch->tapCount_ = continuesTaps ? lastTap_.count + 1 : 1;

    if (view) {
        touch->view_ = view;
        touch->viewLiveness_ = view->liveness();
    }
    touches_[finger] = touch;
    if (!scrollingAncestor(view)) {
        deliver(*touch, TouchPhase::Began);
        return;
    }
    touch->held_ = true;
    // The touch lives in touches_ for as long as it can be locked, so this dispatcher does too.
    RunLoop::current().schedule(now + kContentTouchDelay, [this, held = std::weak_ptr<Touch>(touch)] {
        if (const auto pending = held.lock()) release(*pending);
    });
}

// Tells a scroll view's content of a touch held back from it.
void TouchDispatcher::release(Touch& touch) {
    if (!touch.held_) return;
    touch.held_ = false;
    deliver(touch, TouchPhase::Began);
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
    if (!touch.held_) deliver(touch, TouchPhase::Moved);
}

// A drag that began on an entry of a scroll view scrolls the list instead:
// the scroll view takes the touch, and the entry, if it was told of it
// already, is told it was cancelled.
void TouchDispatcher::handOverToScrollingAncestor(Touch& touch) {
    View* scroller = scrollingAncestor(touch.view());
    if (!scroller) return;
    if (touch.held_)
        touch.held_ = false;
    else
        deliver(touch, TouchPhase::Cancelled);
    touch.view_ = scroller;
    touch.viewLiveness_ = scroller->liveness();
    deliver(touch, TouchPhase::Began);
}

void TouchDispatcher::ended(int finger, Point windowPoint) {
    auto it = touches_.find(finger);
    if (it == touches_.end()) return;
    Touch& touch = *it->second;
    touch.previous_ = touch.location_;
    touch.location_ = windowPoint;
    if (!touch.wandered_ && distance(windowPoint, touch.start_) <= kTapSlop) {
        lastTap_ = {windowPoint, RunLoop::current().now(), touch.tapCount_, touch.view(), touch.viewLiveness_};
    } else {
        lastTap_ = {};
    }
    // A tap quicker than the delay still touches the content it landed on.
    release(touch);
    deliver(touch, TouchPhase::Ended);
    touches_.erase(finger);
}

void TouchDispatcher::cancelled(int finger) {
    auto it = touches_.find(finger);
    if (it == touches_.end()) return;
    // A view never told of a held touch has nothing to cancel.
    if (!it->second->held_) deliver(*it->second, TouchPhase::Cancelled);
    touches_.erase(finger);
}

void TouchDispatcher::cancelAll() {
    while (!touches_.empty()) cancelled(touches_.begin()->first);
}

} // namespace ui

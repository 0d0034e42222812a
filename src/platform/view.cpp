#include "platform/view.h"

#include "platform/damage.h"
#include "platform/run_loop.h"

#include <algorithm>
#include <cassert>

namespace ui {

namespace {

std::uint64_t newDrawingVersion() {
    static std::uint64_t last = 0;
    return ++last;
}

} // namespace

// The first frame is set, never animated, even when made inside an animation block.
View::View(Rect frame) : center_(frame.center()), bounds_({0, 0}, frame.size), drawingVersion_(newDrawingVersion()) {}

View::~View() {
    for (auto& sub : subviews_) sub->superview_ = nullptr;
}

Rect View::frame() const { return Rect::centeredAt(center_, transform_.boxOf(bounds_.size)); }

void View::setFrame(Rect frame) {
    setCenter(frame.center());
    setSize(transform_.swapsAxes() ? Size{frame.height(), frame.width()} : frame.size);
}

void View::setBounds(Rect bounds) {
    bounds_.origin = bounds.origin;
    setSize(bounds.size);
}

void View::setSize(Size size) {
    const Size from = presentationSize();
    bounds_.size = size;
    animate(sizeTween_, from, size);
    setNeedsDisplay();
}

void View::setCenter(Point center) {
    const Point from = presentationCenter();
    const Rect before = frame();
    center_ = center;
    // A view without subviews that moves at once changes only the screen it
    // left and the screen it covers now (a view draws within its bounds).
    if (animate(centerTween_, from, center) || !subviews_.empty() || !superview_) {
        setNeedsDisplay();
    } else {
        superview_->subtreeNeedsDisplay(superview_->boxInWindow(before));
        superview_->subtreeNeedsDisplay(superview_->boxInWindow(frame()));
    }
}

void View::setTransform(Transform transform) {
    transform_ = transform;
    setNeedsDisplay();
}

void View::setAlpha(float alpha) {
    const float from = presentationAlpha();
    alpha_ = alpha;
    animate(alphaTween_, from, alpha);
    setNeedsDisplay();
}

void View::setHidden(bool hidden) {
    hidden_ = hidden;
    setNeedsDisplay();
}

void View::setBackgroundColor(Color color) {
    backgroundColor_ = color;
    setNeedsDisplay();
}

void View::setClipsToBounds(bool clips) {
    clipsToBounds_ = clips;
    setNeedsDisplay();
}

// Inside an open block the drawn value moves from where it is now to the
// new one; outside, it jumps there and any running move of it stops.
// Until the block is committed the change is pending and drawn at `from`, so
// a later change of the same value, in this block or a nested one, starts
// from what is drawn and not from this change's target; only the last
// change is installed. Answers whether the change is animated.
template <class T>
bool View::animate(std::optional<Tween<T>>& tween, T from, T to) {
    const bool animated = AnimationBlocks::isOpen();
    if (animated) {
        tween = Tween<T>{from, to, Tween<T>::kPending, Tween<T>::kPending};
        AnimationBlocks::record(*this, [&tween, from, to](double start, double end) {
            if (tween && tween->isPending() && tween->to == to) tween = Tween<T>{from, to, start, end};
        });
    } else {
        tween.reset();
    }
    return animated;
}

void View::startFlip(Flip flip) {
    flip_ = flip;
    setNeedsDisplay();
}

void View::addSubview(std::shared_ptr<View> view) {
    assert(view && view.get() != this);
    view->removeFromSuperview();
    view->superview_ = this;
    subviews_.push_back(std::move(view));
    setNeedsDisplay();
}

void View::removeFromSuperview() {
    View* parent = superview_;
    if (!parent) return;
    auto& siblings = parent->subviews_;
    auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& v) { return v.get() == this; });
    // Keep this view alive until it has been unlinked, even if the parent held the last share.
    std::shared_ptr<View> self = std::move(*it);
    siblings.erase(it);
    superview_ = nullptr;
    parent->setNeedsDisplay();
}

void View::bringSubviewToFront(const View* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [view](const auto& v) { return v.get() == view; });
    if (it == subviews_.end()) return;
    std::rotate(it, it + 1, subviews_.end());
    // A view without subviews now covers what was over it, and nothing else changes.
    const View& front = *subviews_.back();
    if (front.subviews_.empty())
        subtreeNeedsDisplay(boxInWindow(front.frame()));
    else
        setNeedsDisplay();
}

bool View::isDescendantOf(const View* ancestor) const {
    for (const View* v = this; v; v = v->superview_) {
        if (v == ancestor) return true;
    }
    return false;
}

void View::setNeedsDisplay() {
    drawingVersion_ = newDrawingVersion();
    subtreeNeedsDisplay(std::nullopt);
}

void View::setNeedsDisplayInRect(Rect local) {
    drawingVersion_ = newDrawingVersion();
    subtreeNeedsDisplay(boxInWindow(local));
}

Rect View::boxInWindow(Rect local) const {
    const Point corners[] = {convertToWindow(local.origin), convertToWindow({local.maxX(), local.minY()}),
                             convertToWindow({local.minX(), local.maxY()}),
                             convertToWindow({local.maxX(), local.maxY()})};
    const auto [left, right] = std::minmax({corners[0].x, corners[1].x, corners[2].x, corners[3].x});
    const auto [top, bottom] = std::minmax({corners[0].y, corners[1].y, corners[2].y, corners[3].y});
    return {left, top, right - left, bottom - top};
}

void View::setNeedsDisplayAlong(Point from, Point to, float width) {
    anyPieceAlong(from, to, width, [&](Rect piece) {
        setNeedsDisplayInRect(piece);
        return false;
    });
}

void View::subtreeNeedsDisplay(const std::optional<Rect>& windowRect) {
    if (superview_) superview_->subtreeNeedsDisplay(windowRect);
}

void View::drawRect(Canvas&, Rect) {}

Point View::convertToSuperview(Point local) const {
    const Point fromMiddle = local - bounds_.origin - Point{bounds_.size.width / 2, bounds_.size.height / 2};
    return center_ + transform_.apply(fromMiddle);
}

Point View::convertFromSuperview(Point outer) const {
    const Point fromMiddle = transform_.applyInverse(outer - center_);
    return fromMiddle + bounds_.origin + Point{bounds_.size.width / 2, bounds_.size.height / 2};
}

Point View::convertToWindow(Point local) const {
    Point p = local;
    for (const View* v = this; v->superview_; v = v->superview_) p = v->convertToSuperview(p);
    return p;
}

Point View::convertFromWindow(Point windowPoint) const {
    if (!superview_) return windowPoint;
    return convertFromSuperview(superview_->convertFromWindow(windowPoint));
}

bool View::pointInside(Point local) const { return bounds_.contains(local); }

View* View::hitTest(Point local) {
    if (hidden_ || !userInteractionEnabled_ || alpha_ <= 0.01f || !pointInside(local)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        // The subview may leave the tree while we look; hold it meanwhile.
        std::shared_ptr<View> sub = *it;
        if (View* hit = sub->hitTest(sub->convertFromSuperview(local))) return hit;
    }
    return this;
}

void View::touchesBegan(const TouchSet& touches, const Event& event) {
    if (superview_) superview_->touchesBegan(touches, event);
}

void View::touchesMoved(const TouchSet& touches, const Event& event) {
    if (superview_) superview_->touchesMoved(touches, event);
}

void View::touchesEnded(const TouchSet& touches, const Event& event) {
    if (superview_) superview_->touchesEnded(touches, event);
}

void View::touchesCancelled(const TouchSet& touches, const Event& event) {
    if (superview_) superview_->touchesCancelled(touches, event);
}

void View::scrollWheel(float lines) {
    if (superview_) superview_->scrollWheel(lines);
}

void View::beginAnimations() { AnimationBlocks::begin(); }
void View::setAnimationDuration(double seconds) { AnimationBlocks::setDuration(seconds); }
void View::setAnimationDelay(double seconds) { AnimationBlocks::setDelay(seconds); }

void View::setAnimationTransition(AnimationTransition transition, View& view) {
    AnimationBlocks::setTransition(transition, view);
}

void View::commitAnimations() { AnimationBlocks::commit(); }

namespace {
double now() { return RunLoop::exists() ? RunLoop::current().now() : 0; }
} // namespace

float View::presentationAlpha() const { return alphaTween_ ? alphaTween_->at(now()) : alpha_; }
Point View::presentationCenter() const { return centerTween_ ? centerTween_->at(now()) : center_; }
Size View::presentationSize() const { return sizeTween_ ? sizeTween_->at(now()) : bounds_.size; }
float View::presentationFlipFactor() const { return flip_ ? flip_->widthFactorAt(now()) : 1; }

} // namespace ui

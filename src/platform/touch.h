#pragma once

#include "platform/geometry.h"

#include <map>
#include <memory>
#include <vector>

namespace ui {

class View;

enum class TouchPhase { Began, Moved, Ended, Cancelled };

// One finger on the screen, from the moment it lands until it lifts. It
// stays with the view it began on, wherever it moves.
class Touch {
public:
    int finger() const { return finger_; }
    TouchPhase phase() const { return phase_; }
    // 1 for a single tap, 2 when it began soon after and near a previous tap on the same view, and so on.
    int tapCount() const { return tapCount_; }
    double timestamp() const { return timestamp_; }
    // The view it began on, or null once that view has been destroyed.
    View* view() const;
    // Where the finger is, in the bounds of `view` (null: the window).
    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;
    // Where the finger landed.
    Point startLocationInView(const View* view) const;

private:
    friend class TouchDispatcher;

    int finger_ = 0;
    TouchPhase phase_ = TouchPhase::Began;
    int tapCount_ = 1;
    double timestamp_ = 0;
    Point start_;
    Point location_;
    Point previous_;
    bool wandered_ = false; // moved beyond the tap slop at some point: not a tap
    bool held_ = false;     // landed on a scroll view's content, which has not been told yet
    View* view_ = nullptr;
    std::weak_ptr<const void> viewLiveness_;
};

// The touches of one notification.
class TouchSet {
public:
    TouchSet() = default;
    explicit TouchSet(std::vector<const Touch*> touches) : touches_(std::move(touches)) {}

    // Any one of the touches (the set is never empty when a view is told).
    const Touch& anyObject() const { return *touches_.front(); }
    std::size_t size() const { return touches_.size(); }
    bool empty() const { return touches_.empty(); }
    auto begin() const { return touches_.begin(); }
    auto end() const { return touches_.end(); }

private:
    std::vector<const Touch*> touches_;
};

// Every touch on the screen at the moment of a notification.
class Event {
public:
    Event(TouchSet all, double timestamp) : all_(std::move(all)), timestamp_(timestamp) {}
    const TouchSet& allTouches() const { return all_; }
    double timestamp() const { return timestamp_; }

private:
    TouchSet all_;
    double timestamp_;
};

// Turns fingers landing, moving and lifting at window points into touch
// notifications for the views under them. Each finger is its own touch, so
// several fingers drag several views at once; the mouse is one finger.
class TouchDispatcher {
public:
    // A tap continues the count of the previous one when it lands on the same view this soon after it ended, this near.
    static constexpr double kMultiTapInterval = 0.4;
    static constexpr float kMultiTapDistance = 25;
    // A touch that moves no farther than this is a tap; a scroll view takes over one that does.
    static constexpr float kTapSlop = 10;
    // A touch on the content of a scroll view reaches that content this late, or when it lifts if
    // sooner; a drag that starts in the meantime scrolls without the content ever being touched.
    static constexpr double kContentTouchDelay = 0.15;

    explicit TouchDispatcher(View& root) : root_(root) {}

    void began(int finger, Point windowPoint);
    void moved(int finger, Point windowPoint);
    void ended(int finger, Point windowPoint);
    void cancelled(int finger);
    void cancelAll();

    std::size_t activeTouches() const { return touches_.size(); }

private:
    struct LastTap {
        Point where;
        double time = -1e9;
        int count = 0;
        const View* view = nullptr;
        std::weak_ptr<const void> viewLiveness;
    };

    Event eventNow() const;
    void deliver(Touch& touch, TouchPhase phase);
    void handOverToScrollingAncestor(Touch& touch);
    void release(Touch& touch);

    View& root_;
    // Shared only with the delayed delivery of a held touch, which must not outlive it.
    std::map<int, std::shared_ptr<Touch>> touches_;
    LastTap lastTap_;
};

} // namespace ui

#pragma once

#include "platform/object.h"

#include <functional>
#include <memory>

namespace ui {

// A timer on the current run loop that fires its action every interval
// (or once) until invalidated. The loop keeps a scheduled timer alive, so a
// timer fires whether or not anyone else holds it; its target is held weakly,
// and a timer whose target has gone invalidates itself.
class Timer : public std::enable_shared_from_this<Timer> {
public:
    static constexpr double kMinimumInterval = 0.0001;

    // The target must be a ui::Object: the timer holds it only weakly.
    template <class T>
    static std::shared_ptr<Timer> scheduledTimer(double interval, T* target, void (T::*action)(), bool repeats) {
        return schedule(interval, target->liveness(), weakCall(target, action), repeats);
    }

    void invalidate() { valid_ = false; }
    bool isValid() const { return valid_; }

private:
    struct Private {};

public:
    Timer(Private, double interval, std::weak_ptr<const void> target, std::function<void()> action, bool repeats);

private:
    static std::shared_ptr<Timer> schedule(double interval, std::weak_ptr<const void> target,
                                           std::function<void()> action, bool repeats);
    void scheduleAt(double time);
    void fire(double time);

    double interval_;
    std::weak_ptr<const void> target_;
    std::function<void()> action_;
    bool repeats_;
    bool valid_ = true;
};

} // namespace ui

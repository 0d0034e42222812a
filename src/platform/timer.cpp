#include "platform/timer.h"

#include "platform/run_loop.h"

#include <algorithm>
#include <cmath>

namespace ui {

Timer::Timer(Private, double interval, std::weak_ptr<const void> target, std::function<void()> action, bool repeats)
    : interval_(interval), target_(std::move(target)), action_(std::move(action)), repeats_(repeats) {}

std::shared_ptr<Timer> Timer::schedule(double interval, std::weak_ptr<const void> target, std::function<void()> action,
                                       bool repeats) {
    // A timer fires at most every tenth of a millisecond, however short its interval.
    interval = std::max(interval, kMinimumInterval);
    auto timer = std::make_shared<Timer>(Private{}, interval, std::move(target), std::move(action), repeats);
    timer->scheduleAt(RunLoop::current().now() + interval);
    return timer;
}

void Timer::scheduleAt(double time) {
    RunLoop::current().schedule(time, [self = shared_from_this(), time] { self->fire(time); });
}

void Timer::fire(double time) {
    if (!valid_) return;
    if (target_.expired()) {
        invalidate();
        return;
    }
    // Firings keep to the timer's own schedule, whatever the action costs;
    // firings missed while the loop was busy are skipped, not made up.
    if (repeats_) {
        double next = time + interval_;
        const double now = RunLoop::current().now();
        if (next < now) next += std::ceil((now - next) / interval_) * interval_;
        scheduleAt(next);
    } else
        invalidate();
    action_();
}

} // namespace ui

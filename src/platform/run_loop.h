#pragma once

#include "platform/clock.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>
#include <vector>

namespace ui {

// The one main thread's queue of work that comes due at a time: timer
// firings, animation stops and anything posted for "soon". Tasks run one at a
// time, in time order, first scheduled first within the same time, and only
// from the loop, never inside the call that scheduled them.
class RunLoop {
public:
    explicit RunLoop(const Clock& clock);
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // The loop of the running application (the last one made and still alive).
    static RunLoop& current();
    static bool exists();

    double now() const { return clock_.now(); }

    void schedule(double time, std::function<void()> task);

    // Runs every task that is due now, including those that due tasks schedule for now.
    void runDueTasks();
    std::optional<double> nextDeadline() const;

    // Animations are drawn frame by frame until the last of them has ended.
    void keepAnimatingUntil(double time) { animatingUntil_ = std::max(animatingUntil_, time); }
    bool isAnimating() const { return now() < animatingUntil_; }

private:
    struct Entry {
        double time;
        std::uint64_t order;
        std::function<void()> task;
    };
    struct Later {
        bool operator()(const Entry& a, const Entry& b) const {
            return a.time != b.time ? a.time > b.time : a.order > b.order;
        }
    };

    const Clock& clock_;
    std::priority_queue<Entry, std::vector<Entry>, Later> queue_;
    std::uint64_t nextOrder_ = 0;
    double animatingUntil_ = 0;
};

} // namespace ui

#include "platform/run_loop.h"

#include <cassert>
#include <vector>

namespace ui {

namespace {
// Every loop alive, the newest last. Loops may go in any order, so each one
// takes itself out wherever it is.
std::vector<RunLoop*>& liveLoops() {
    static std::vector<RunLoop*> loops;
    return loops;
}
} // namespace

RunLoop::RunLoop(const Clock& clock) : clock_(clock) { liveLoops().push_back(this); }

RunLoop::~RunLoop() { std::erase(liveLoops(), this); }

RunLoop& RunLoop::current() {
    assert(exists() && "no run loop: start an Application or a test harness first");
    return *liveLoops().back();
}

bool RunLoop::exists() { return !liveLoops().empty(); }

void RunLoop::schedule(double time, std::function<void()> task) { queue_.push({time, nextOrder_++, std::move(task)}); }

void RunLoop::runDueTasks() {
    while (!queue_.empty() && queue_.top().time <= now()) {
        auto task = std::move(const_cast<Entry&>(queue_.top()).task);
        queue_.pop();
        task();
    }
}

std::optional<double> RunLoop::nextDeadline() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.top().time;
}

} // namespace ui

#include "platform/run_loop.h"

#include <cassert>

namespace ui {

namespace {
RunLoop* currentLoop = nullptr;
}

RunLoop::RunLoop(const Clock& clock) : clock_(clock), previous_(currentLoop) { currentLoop = this; }

RunLoop::~RunLoop() {
    if (currentLoop == this) currentLoop = previous_;
}

RunLoop& RunLoop::current() {
    assert(currentLoop && "no run loop: start an Application or a test harness first");
    return *currentLoop;
}

bool RunLoop::exists() { return currentLoop != nullptr; }

void RunLoop::schedule(double time, std::function<void()> task) {
    queue_.push({time, nextOrder_++, std::move(task)});
}

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

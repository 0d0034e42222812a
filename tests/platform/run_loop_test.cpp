#include "platform/run_loop.h"
#include "platform/timer.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ui::RunLoop;
using ui::Timer;

TEST(RunLoop, RunsDueTasksInTimeOrderFirstComeFirst) {
    ui::VirtualClock clock;
    RunLoop loop(clock);
    std::vector<std::string> log;
    auto note = [&log](std::string s) { return [&log, s] { log.push_back(s); }; };

    loop.schedule(2, note("c"));
    loop.schedule(1, note("a"));
    loop.schedule(1, note("b"));
    loop.post([&] {
        log.push_back("now");
        loop.post(note("posted by a task"));
        loop.schedule(0.5, note("due already"));
        loop.schedule(1, note("a2"));
    });
    EXPECT_TRUE(log.empty()); // nothing runs inside schedule or post
    loop.runDueTasks();
    EXPECT_EQ(log, (std::vector<std::string>{"now", "posted by a task"}));
    ASSERT_TRUE(loop.nextDeadline());
    EXPECT_EQ(*loop.nextDeadline(), 0.5);

    clock.set(1.5);
    loop.runDueTasks();
    EXPECT_EQ(log, (std::vector<std::string>{"now", "posted by a task", "due already", "a", "b", "a2"}));
    EXPECT_EQ(loop.nextDeadline(), 2);
    clock.set(5);
    loop.runDueTasks();
    EXPECT_EQ(log.back(), "c");
    EXPECT_FALSE(loop.nextDeadline());
}

TEST(RunLoop, CurrentIsTheLastMadeThatIsStillAlive) {
    ui::VirtualClock clock;
    auto first = std::make_unique<RunLoop>(clock);
    auto second = std::make_unique<RunLoop>(clock);
    EXPECT_EQ(&RunLoop::current(), second.get());
    first.reset(); // out of order
    EXPECT_EQ(&RunLoop::current(), second.get());
    second.reset();
    EXPECT_FALSE(RunLoop::exists());
}

class Ticker : public ui::Object {
public:
    void tick() {
        at.push_back(RunLoop::current().now());
        if (at.size() == stopAfter) timer->invalidate();
    }
    std::vector<double> at;
    std::shared_ptr<Timer> timer;
    std::size_t stopAfter = 0;
};

TEST(Timer, RepeatsEveryIntervalUntilInvalidated) {
    testkit::Harness h;
    Ticker clock;
    clock.timer = Timer::scheduledTimer(1.0, &clock, &Ticker::tick, true);
    h.advance(3.5);
    EXPECT_EQ(clock.at, (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(clock.timer->isValid());
    clock.timer->invalidate();
    EXPECT_FALSE(clock.timer->isValid());
    h.advance(3);
    EXPECT_EQ(clock.at.size(), 3u);

    // Invalidated from inside its own action.
    Ticker once;
    once.stopAfter = 2;
    once.timer = Timer::scheduledTimer(0.5, &once, &Ticker::tick, true);
    h.advance(5);
    EXPECT_EQ(once.at, (std::vector<double>{7, 7.5}));
}

TEST(Timer, FiresUnheldAndStopsWhenItsTargetGoes) {
    testkit::Harness h;
    auto target = std::make_unique<Ticker>();
    // Nobody keeps the timer: the loop does.
    std::weak_ptr<Timer> timer = Timer::scheduledTimer(1.0, target.get(), &Ticker::tick, true);
    h.advance(2.5);
    EXPECT_EQ(target->at, (std::vector<double>{1, 2}));
    ASSERT_FALSE(timer.expired());

    // Its next firing finds the target gone: it stops, and the loop lets go of it.
    target.reset();
    h.advance(1);
    EXPECT_TRUE(timer.expired());
    EXPECT_FALSE(h.app().runLoop().nextDeadline());
}

} // namespace

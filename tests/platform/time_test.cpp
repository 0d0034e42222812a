#include "platform/headless/headless_backend.h"
#include "platform/label.h"
#include "platform/timer.h"
#include "support/harness.h"

#include "support/printers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ui::Point;
using ui::RunLoop;
using ui::View;

double now() { return RunLoop::current().now(); }

// Notes did-stop calls and timer firings with their times; stops its timer at the third firing.
class Log : public ui::Object {
public:
    static inline int stopsEver = 0; // outlives the log
    void didStop(const std::string& id, bool finished, void* context) {
        ++stopsEver;
        EXPECT_TRUE(finished);
        stops.push_back({id, context, now()});
    }
    void tick() {
        ticks.push_back(now());
        if (ticks.size() == 3) timer->invalidate();
    }
    struct Stop {
        std::string id;
        void* context;
        double time;
    };
    std::vector<Stop> stops;
    std::vector<double> ticks;
    std::shared_ptr<ui::Timer> timer;
};

void animate(const char* id, double duration, double delay, const std::function<void()>& changes,
             Log* log = nullptr, void* context = nullptr) {
    View::beginAnimations(id, context);
    if (log) View::setAnimationDelegate(log, &Log::didStop);
    View::setAnimationDuration(duration);
    View::setAnimationDelay(delay);
    changes();
    View::commitAnimations();
}

TEST(RunLoop, RunsDueTasksInTimeOrderFirstComeFirst) {
    ui::VirtualClock clock;
    RunLoop loop(clock);
    std::string log;
    loop.schedule(2, [&] { log += 'c'; });
    loop.schedule(1, [&] { log += 'a'; });
    loop.schedule(1, [&] { log += 'b'; });
    loop.post([&] { loop.post([&] { log += "posted "; }); });
    EXPECT_EQ(log, ""); // nothing runs inside schedule or post
    loop.runDueTasks();
    EXPECT_EQ(log, "posted ");
    EXPECT_EQ(loop.nextDeadline(), 1);
    clock.set(1.5);
    loop.runDueTasks();
    EXPECT_EQ(log, "posted ab");
    clock.set(2);
    loop.runDueTasks();
    EXPECT_EQ(log, "posted abc");
    EXPECT_EQ(loop.nextDeadline(), std::nullopt);
}

TEST(Timer, RepeatsUntilInvalidatedOrItsTargetGoes) {
    testkit::Harness h;
    auto log = std::make_unique<Log>();
    log->timer = ui::Timer::scheduledTimer(1.0, log.get(), &Log::tick, true);
    h.advance(5);
    EXPECT_EQ(log->ticks, (std::vector<double>{1, 2, 3}));
    EXPECT_FALSE(log->timer->isValid());
    // Nobody keeps this one but the loop; its first firing after the target has gone stops it.
    std::weak_ptr<ui::Timer> unheld = ui::Timer::scheduledTimer(0.5, log.get(), &Log::tick, true);
    h.advance(1.25);
    EXPECT_EQ(log->ticks, (std::vector<double>{1, 2, 3, 5.5, 6}));
    log.reset();
    h.advance(1);
    EXPECT_TRUE(unheld.expired());
    EXPECT_EQ(h.app().runLoop().nextDeadline(), std::nullopt);
}

TEST(AnimationBlocks, ModelValueAtOnceDrawnValueOverTime) {
    testkit::Harness h;
    ui::Application& app = h.app();
    auto v = std::make_shared<View>(ui::Rect{0, 0, 40, 40});
    h.show(v);
    EXPECT_EQ(app.update(), std::nullopt); // idle: nothing until the next input
    animate("move", 1.0, 0.5, [&] {
        v->setAlpha(0);
        v->setCenter({100, 100});
        v->setCenter({120, 20}); // set twice: moves from what is drawn to the last value
    });
    EXPECT_EQ(v->center(), Point(120, 20));
    // While anything moves, the loop comes back a frame later, not sooner, whatever tasks wait.
    ASSERT_EQ(app.update(), h.now() + ui::Application::kFrameInterval);
    app.runLoop().schedule(5, [] {});
    ASSERT_EQ(app.update(), h.now() + ui::Application::kFrameInterval);
    h.advance(0.5); // the delay holds the old value
    EXPECT_EQ(v->presentationAlpha(), 1);
    EXPECT_EQ(v->presentationCenter(), Point(20, 20));
    h.advance(0.5);
    EXPECT_NEAR(v->presentationAlpha(), 0.5, 1e-4);
    EXPECT_NEAR(v->presentationCenter().x, 70, 1e-3);
    h.advance(0.5);
    EXPECT_EQ(v->presentationAlpha(), 0);
    EXPECT_EQ(v->presentationCenter(), Point(120, 20));
    EXPECT_EQ(app.update(), 5);

    // Started again mid-way, a block moves on from what is drawn; set outside
    // a block, a value is drawn at once and its move stops.
    animate("out", 1.0, 0, [&] { v->setCenter({220, 20}); });
    h.advance(0.5);
    animate("back", 1.0, 0, [&] { v->setFrame({100, 0, 40, 40}); v->setAlpha(1); });
    EXPECT_NEAR(v->presentationCenter().x, 170, 1e-3);
    h.advance(0.25);
    v->setAlpha(0.8f);
    v->setFrame({10, 10, 20, 20});
    EXPECT_EQ(v->presentationAlpha(), 0.8f);
    EXPECT_EQ(v->presentationSize(), ui::Size(20, 20));
    h.advance(1.0);
    EXPECT_EQ(v->presentationCenter(), Point(20, 20));
}

TEST(AnimationBlocks, DidStopComesLaterFromTheRunLoopAndNestedBlocksKeepTheirTiming) {
    testkit::Harness h;
    auto a = std::make_shared<View>(), b = std::make_shared<View>();
    h.show(a);
    h.show(b);
    Log log;
    int context = 0;
    // Even a block without duration stops after the committing call has returned.
    animate("snap", 0, 0, [&] { a->setAlpha(0.5f); }, &log, &context);
    EXPECT_TRUE(log.stops.empty());
    h.advance(0);
    ASSERT_EQ(log.stops.size(), 1u);
    EXPECT_EQ(log.stops[0].id, "snap");
    EXPECT_EQ(log.stops[0].context, &context);
    EXPECT_EQ(a->presentationAlpha(), 0.5f);

    View::beginAnimations("outer");
    View::setAnimationDelegate(&log, &Log::didStop);
    View::setAnimationDuration(1.0);
    animate("inner", 2.0, 0, [&] { b->setAlpha(0); }, &log);
    a->setAlpha(0); // back in the outer block
    View::commitAnimations();
    h.advance(1.0);
    EXPECT_EQ(a->presentationAlpha(), 0);
    EXPECT_NEAR(b->presentationAlpha(), 0.5, 1e-4);
    EXPECT_EQ(log.stops.back().id, "outer");
    h.advance(1.0);
    EXPECT_EQ(log.stops.back().id, "inner");
    EXPECT_NEAR(log.stops.back().time, 2.0, 1e-9);

    // A delegate that has gone is not called.
    auto gone = std::make_unique<Log>();
    animate("gone", 0.3, 0, [&] { a->setAlpha(1); }, gone.get());
    gone.reset();
    const int stops = Log::stopsEver;
    h.advance(1.0);
    EXPECT_EQ(Log::stopsEver, stops);
}

class Delegate : public ui::ApplicationDelegate {
public:
    void applicationDidFinishLaunching(ui::Application& app) override { app.window()->makeKeyAndVisible(); }
    void applicationWillTerminate(ui::Application&) override { ++terminations; }
    int terminations = 0;
};

TEST(Application, RunDrawsEveryFrameOfAMoveThenOnlyWhatChanges) {
    ui::HeadlessBackend backend;
    Delegate delegate;
    ui::Application app(backend, delegate);
    auto label = std::make_shared<ui::Label>(ui::Rect{10, 10, 100, 20});
    app.window()->addSubview(label);
    animate("fade", 1.0, 0, [&] { label->setAlpha(0.5f); });
    // Then five wakes, only one of which changes what is seen.
    int frames = 0;
    for (int k = 2; k <= 6; ++k) app.runLoop().schedule(k, [] {});
    app.runLoop().schedule(3, [&] { frames = backend.framesPresented(); });
    app.runLoop().schedule(4, [label] { label->setText("Level 2"); });
    EXPECT_EQ(app.run(), 0);
    EXPECT_NEAR(frames, 60, 3);
    EXPECT_EQ(backend.framesPresented(), frames + 1);
    EXPECT_EQ(backend.clock().now(), 6);
    app.terminate(); // told once only
    EXPECT_EQ(delegate.terminations, 1);
}

} // namespace

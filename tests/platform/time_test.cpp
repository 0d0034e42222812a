#include "platform/headless/headless_backend.h"
#include "platform/label.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ui::Point;
using ui::View;

double now() { return ui::RunLoop::current().now(); }

// Notes did-stop calls with their times, and the program's end.
class Log : public ui::Object, public ui::ApplicationDelegate {
public:
    void applicationDidFinishLaunching(ui::Application& app) override { app.window()->makeKeyAndVisible(); }
    void applicationWillTerminate(ui::Application&) override { ++terminations; }
    int terminations = 0;
    static inline int stopsEver = 0; // outlives every log
    void didStop() {
        ++stopsEver;
        stops.push_back(now());
    }
    std::vector<double> stops;
};

void animate(Log* log, double duration, double delay, const std::function<void()>& changes) {
    View::beginAnimations();
    if (log) View::setAnimationDelegate(log, &Log::didStop);
    View::setAnimationDuration(duration);
    View::setAnimationDelay(delay);
    changes();
    View::commitAnimations();
}

TEST(AnimationBlocks, ModelValueAtOnceDrawnValueOverTimeDidStopFromTheRunLoop) {
    testkit::Harness h;
    ui::Application& app = h.app();
    auto v = std::make_shared<View>(ui::Rect{0, 0, 40, 40}), w = std::make_shared<View>();
    h.show(v);
    h.show(w);
    Log log;
    EXPECT_EQ(app.update(), std::nullopt); // idle: nothing until the next input
    // Even a block without duration stops after the committing call has returned, in turn.
    animate(&log, 0, 0, [&] { w->setAlpha(0.5f); });
    animate(&log, 0, 0, [] {});
    EXPECT_TRUE(log.stops.empty());
    h.advance(0);
    EXPECT_EQ(w->presentationAlpha(), 0.5f);

    animate(nullptr, 1.0, 0.5, [&] {
        v->setAlpha(0);
        v->setCenter({100, 100});
        v->setCenter({120, 20}); // set twice: moves from what is drawn to the last value
    });
    // While anything moves, the loop comes back a frame later, not sooner, whatever tasks wait.
    ASSERT_EQ(app.update(), h.now() + ui::Application::kFrameInterval);
    app.runLoop().schedule(9, [] {});
    ASSERT_EQ(app.update(), h.now() + ui::Application::kFrameInterval);
    h.advance(0.5); // the delay holds the old value
    EXPECT_EQ(v->presentationCenter(), Point(20, 20));
    h.advance(0.5);
    EXPECT_NEAR(v->presentationAlpha(), 0.5, 1e-4);
    EXPECT_NEAR(v->presentationCenter().x, 70, 1e-3);
    h.advance(0.75); // past the end, it stays there
    EXPECT_EQ(v->presentationCenter(), Point(120, 20));

    // Nested blocks keep their own timing.
    View::beginAnimations();
    View::setAnimationDelegate(&log, &Log::didStop);
    View::setAnimationDuration(1.0);
    v->setAlpha(0.5f);
    animate(&log, 2.0, 0, [&] { v->setAlpha(1); });
    w->setAlpha(0); // back in the outer block
    View::commitAnimations();
    h.advance(1.0);
    EXPECT_EQ(w->presentationAlpha(), 0);
    EXPECT_NEAR(v->presentationAlpha(), 0.5, 1e-4);
    h.advance(1.0);
    EXPECT_EQ(log.stops, (std::vector<double>{0, 0, 2.75, 3.75})); // the outer block's end, then the inner's
    EXPECT_EQ(v->presentationAlpha(), 1);                          // the last value set wins

    // Set outside a block, a value is drawn at once and its move stops; a delegate that has gone is not called.
    auto gone = std::make_unique<Log>();
    animate(gone.get(), 1.0, 0, [&] { v->setFrame({0, 0, 80, 80}); });
    gone.reset();
    h.advance(0.25);
    v->setFrame({10, 10, 20, 20});
    EXPECT_EQ(v->presentationSize(), ui::Size(20, 20));
    const int stops = Log::stopsEver;
    h.advance(1.0);
    EXPECT_EQ(v->presentationCenter(), Point(20, 20));
    EXPECT_EQ(Log::stopsEver, stops);
}

TEST(Application, RunDrawsEveryFrameOfAMoveThenOnlyWhatChanges) {
    ui::HeadlessBackend backend;
    Log delegate;
    ui::Application app(backend, delegate);
    auto label = std::make_shared<ui::Label>(ui::Rect{10, 10, 100, 20});
    app.window()->addSubview(label);
    animate(nullptr, 1.0, 0, [&] { label->setAlpha(0.5f); });
    // Then two wakes, only one of which changes what is seen.
    int frames = 0;
    app.runLoop().schedule(3, [&] { frames = backend.framesPresented(); });
    app.runLoop().schedule(4, [label] { label->setText("Level 2"); });
    EXPECT_EQ(app.run(), 0);
    EXPECT_NEAR(frames, 60, 3);
    EXPECT_EQ(backend.framesPresented(), frames + 1);
    app.terminate(); // told once only
    EXPECT_EQ(delegate.terminations, 1);
    auto second = std::make_unique<ui::Application>(backend, delegate);
    second.reset(); // the loop alive before it is current again
    EXPECT_EQ(&ui::RunLoop::current(), &app.runLoop());
}

} // namespace

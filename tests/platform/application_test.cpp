#include "platform/application.h"
#include "platform/headless/headless_backend.h"
#include "platform/label.h"
#include "platform/run_loop.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using ui::Application;

class CountingDelegate : public ui::ApplicationDelegate, public ui::Object {
public:
    void applicationDidFinishLaunching(Application& app) override {
        ++launches;
        app.window()->makeKeyAndVisible();
        if (onLaunch) onLaunch(app);
    }
    void applicationWillTerminate(Application&) override { ++terminations; }
    void faded() { fadedAt = ui::RunLoop::current().now(); }

    int launches = 0;
    int terminations = 0;
    double fadedAt = -1;
    std::function<void(Application&)> onLaunch;
};

TEST(Application, LaunchAndTerminateAreToldOnce) {
    CountingDelegate delegate;
    testkit::Harness h(delegate);
    EXPECT_EQ(delegate.launches, 1);
    h.app().launch();
    EXPECT_EQ(delegate.launches, 1);
    EXPECT_EQ(delegate.terminations, 0);
    h.terminate();
    h.terminate();
    h.app().terminate();
    EXPECT_EQ(delegate.terminations, 1);
}

TEST(Application, RunOnTheHeadlessBackendEndsWhenNothingIsLeft) {
    {
        // Wakes five times; only one of them changes what is seen.
        ui::HeadlessBackend backend;
        CountingDelegate idle;
        idle.onLaunch = [](Application& app) {
            auto label = std::make_shared<ui::Label>(ui::Rect{10, 10, 100, 20});
            app.window()->addSubview(label);
            for (int k = 1; k <= 5; ++k) app.runLoop().schedule(k, [] {});
            app.runLoop().schedule(3, [label] { label->setText("Level 2"); });
        };
        Application app(backend, idle);
        EXPECT_EQ(app.run(), 0);
        EXPECT_EQ(idle.launches, 1);
        EXPECT_EQ(idle.terminations, 1);
        EXPECT_EQ(backend.clock().now(), 5);
        EXPECT_EQ(backend.framesPresented(), 2); // the first look and the new text only
    }

    // A fade started at launch is played frame by frame and stops before the end.
    ui::HeadlessBackend backend;
    CountingDelegate fading;
    fading.onLaunch = [&fading](Application& app) {
        auto logo = std::make_shared<ui::View>(ui::Rect{100, 100, 50, 50});
        app.window()->addSubview(logo);
        ui::View::beginAnimations("fade");
        ui::View::setAnimationDelegate(&fading, &CountingDelegate::faded);
        ui::View::setAnimationDuration(1.0);
        logo->setAlpha(0);
        ui::View::commitAnimations();
    };
    Application app(backend, fading);
    EXPECT_EQ(app.run(), 0);
    EXPECT_NEAR(fading.fadedAt, 1.0, 1e-9);
    EXPECT_EQ(fading.terminations, 1);
    EXPECT_GE(backend.framesPresented(), 55);
    EXPECT_LE(backend.framesPresented(), 65);
}

TEST(Window, NeedsDisplayOnlyAfterAVisibleChange) {
    testkit::Harness h;
    ui::Window& window = h.window();
    auto label = std::make_shared<ui::Label>(ui::Rect{10, 10, 100, 20});
    h.show(label);
    EXPECT_TRUE(window.needsDisplay());
    window.markDisplayed();
    h.advance(5);
    h.tap({300, 400});
    EXPECT_FALSE(window.needsDisplay()); // idle: nothing to draw

    label->setText("Level 2");
    EXPECT_TRUE(window.needsDisplay());
    window.markDisplayed();
    label->setAlpha(0.5f);
    EXPECT_TRUE(window.needsDisplay());
    window.markDisplayed();
    label->removeFromSuperview();
    EXPECT_TRUE(window.needsDisplay());
    window.markDisplayed();
    label->setText("off the screen"); // not in the window any more
    EXPECT_FALSE(window.needsDisplay());
}

} // namespace

#include "platform/run_loop.h"
#include "platform/view.h"
#include "support/harness.h"

#include "support/printers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ui::Point;
using ui::Rect;
using ui::View;

double now() { return ui::RunLoop::current().now(); }

// Collects did-stop calls.
class StopLog : public ui::Object {
public:
    struct Stop {
        std::string id;
        void* context;
        double time;
    };
    void didStop(const std::string& id, bool finished, void* context) {
        EXPECT_TRUE(finished);
        stops.push_back({id, context, now()});
    }
    std::vector<Stop> stops;
};

// Its own animation delegate; counts its calls where they outlive it.
class SelfStopping : public View {
public:
    static inline int calls = 0;
    void didStop() { ++calls; }
};

// The intro's chain: each fade's stop starts the next, in and out by turns.
class FadeChain : public ui::Object {
public:
    explicit FadeChain(View& view) : view_(view) {}
    void didStop() {
        stops.push_back(now());
        if (stops.size() < 6) fade(stops.size() % 2 == 0 ? 1 : 0);
    }
    void fade(float alpha) {
        View::beginAnimations("intro");
        View::setAnimationDelegate(this, &FadeChain::didStop);
        View::setAnimationDuration(0.7);
        View::setAnimationDelay(0.7);
        view_.setAlpha(alpha);
        View::commitAnimations();
    }
    std::vector<double> stops;

private:
    View& view_;
};

void animate(const char* id, double duration, double delay, const std::function<void()>& changes) {
    View::beginAnimations(id);
    View::setAnimationDuration(duration);
    View::setAnimationDelay(delay);
    changes();
    View::commitAnimations();
}

TEST(AnimationBlocks, ModelValueAtOnceDrawnValueOverTime) {
    testkit::Harness h;
    auto v = std::make_shared<View>(Rect{0, 0, 40, 40});
    h.show(v);
    animate("move", 1.0, 0.5, [&] {
        v->setAlpha(0);
        v->setCenter({120, 20});
    });
    EXPECT_EQ(v->alpha(), 0);
    EXPECT_EQ(v->center(), Point(120, 20));
    EXPECT_EQ(v->presentationAlpha(), 1);
    EXPECT_EQ(v->presentationCenter(), Point(20, 20));
    h.advance(0.5); // the delay holds the old value
    EXPECT_EQ(v->presentationAlpha(), 1);
    h.advance(0.5);
    EXPECT_NEAR(v->presentationAlpha(), 0.5, 1e-4);
    EXPECT_NEAR(v->presentationCenter().x, 70, 1e-3);
    h.advance(0.5);
    EXPECT_EQ(v->presentationAlpha(), 0);
    EXPECT_EQ(v->presentationCenter(), Point(120, 20));

    // A value set twice in one block moves from where it was drawn to the last value.
    auto w = std::make_shared<View>(Rect{0, 0, 40, 40});
    h.show(w);
    animate("twice", 1.0, 0, [&] {
        w->setCenter({100, 100});
        w->setFrame({200, 200, 40, 40});
    });
    EXPECT_EQ(w->presentationCenter(), Point(20, 20));
    h.advance(1.0);
    EXPECT_EQ(w->presentationCenter(), Point(220, 220));
}

TEST(AnimationBlocks, SettingOutsideABlockSnapsAndStopsTheMove) {
    testkit::Harness h;
    auto v = std::make_shared<View>(Rect{0, 0, 40, 40});
    h.show(v);
    animate("fade", 1.0, 0, [&] {
        v->setAlpha(0);
        v->setFrame({100, 100, 80, 80});
    });
    h.advance(0.25);
    v->setAlpha(0.8f);
    v->setFrame({10, 10, 20, 20});
    EXPECT_EQ(v->presentationAlpha(), 0.8f);
    EXPECT_EQ(v->presentationSize(), ui::Size(20, 20));
    h.advance(1.0);
    EXPECT_EQ(v->presentationAlpha(), 0.8f);
    EXPECT_EQ(v->presentationCenter(), Point(20, 20));

    // A block started again mid-way moves on from what is drawn.
    animate("out", 1.0, 0, [&] { v->setCenter({120, 20}); });
    h.advance(0.5);
    animate("back", 1.0, 0, [&] { v->setCenter({20, 20}); });
    EXPECT_NEAR(v->presentationCenter().x, 70, 1e-3);
}

TEST(AnimationBlocks, DidStopRunsLaterFromTheRunLoop) {
    testkit::Harness h;
    auto v = std::make_shared<View>(Rect{0, 0, 40, 40});
    h.show(v);
    StopLog log;
    int context = 0;

    // Even a block without duration stops after the committing call has returned.
    View::beginAnimations("snap", &context);
    View::setAnimationDelegate(&log, &StopLog::didStop);
    View::setAnimationDuration(0);
    v->setAlpha(0.5f);
    View::commitAnimations();
    EXPECT_TRUE(log.stops.empty());
    h.advance(0);
    ASSERT_EQ(log.stops.size(), 1u);
    EXPECT_EQ(log.stops[0].id, "snap");
    EXPECT_EQ(log.stops[0].context, &context);
    EXPECT_EQ(v->presentationAlpha(), 0.5f); // stopped, so drawn at its end value

    // A delegate that has gone is not called.
    SelfStopping::calls = 0;
    auto delegate = std::make_shared<SelfStopping>();
    h.show(delegate);
    View::beginAnimations("gone");
    View::setAnimationDelegate(delegate.get(), &SelfStopping::didStop);
    View::setAnimationDuration(0.3);
    delegate->setAlpha(0);
    View::commitAnimations();
    delegate->removeFromSuperview();
    delegate.reset();
    h.advance(1.0);
    EXPECT_EQ(SelfStopping::calls, 0);
}

TEST(AnimationBlocks, ChainedBlocksRunInOrderOnTime) {
    testkit::Harness h;
    auto img = std::make_shared<View>(Rect{100, 100, 50, 50});
    img->setAlpha(0);
    h.show(img);
    FadeChain chain(*img);
    chain.fade(1);

    h.advance(1.05); // half way through the first fade in
    EXPECT_NEAR(img->presentationAlpha(), 0.5, 1e-3);
    h.advance(1.4); // half way through the first fade out
    EXPECT_NEAR(img->presentationAlpha(), 0.5, 1e-3);
    h.advance(8.39 - 2.45);
    EXPECT_EQ(chain.stops.size(), 5u);
    h.advance(0.02);
    ASSERT_EQ(chain.stops.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) EXPECT_NEAR(chain.stops[k], 1.4 * static_cast<double>(k + 1), 1e-9);
    EXPECT_EQ(img->presentationAlpha(), 0);
}

TEST(AnimationBlocks, NestedBlocksKeepTheirOwnTiming) {
    testkit::Harness h;
    auto a = std::make_shared<View>(), b = std::make_shared<View>(), c = std::make_shared<View>(),
         d = std::make_shared<View>();
    for (const auto& v : {a, b, c, d}) h.show(v);
    StopLog log;

    View::beginAnimations("outer");
    View::setAnimationDelegate(&log, &StopLog::didStop);
    View::setAnimationDuration(1.0);
    a->setAlpha(0);
    d->setAlpha(0.5f);
    View::beginAnimations("inner");
    View::setAnimationDelegate(&log, &StopLog::didStop);
    View::setAnimationDuration(2.0);
    b->setAlpha(0);
    d->setAlpha(0);
    View::commitAnimations();
    c->setAlpha(0); // back in the outer block
    View::commitAnimations();

    h.advance(1.0);
    EXPECT_EQ(a->presentationAlpha(), 0);
    EXPECT_EQ(c->presentationAlpha(), 0);
    EXPECT_NEAR(b->presentationAlpha(), 0.5, 1e-4);
    ASSERT_EQ(log.stops.size(), 1u);
    EXPECT_EQ(log.stops[0].id, "outer");
    h.advance(1.0);
    ASSERT_EQ(log.stops.size(), 2u);
    EXPECT_EQ(log.stops[1].id, "inner");
    EXPECT_NEAR(log.stops[1].time, 2.0, 1e-9);
    // The last value set wins, on the screen as in the model.
    EXPECT_EQ(d->alpha(), 0);
    EXPECT_EQ(d->presentationAlpha(), 0);
}

} // namespace

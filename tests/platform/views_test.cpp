#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/painter.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ui::Point;
using ui::Rect;
using ui::View;

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3);
    EXPECT_NEAR(actual.y, expected.y, 1e-3);
}

TEST(ViewTree, PointsConvertThroughTurnedViewsAndTouchesFindTheTopmostView) {
    testkit::Harness h;
    auto panel = std::make_shared<View>(Rect{20, 30, 200, 300});
    // Turned first and framed after, as command labels are: the frame is the box after the turn.
    auto turned = std::make_shared<View>();
    turned->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    turned->setFrame({50, 30, 20, 100});
    turned->setCenter({60, 100});

    // Its x axis runs up the screen and its y axis to the right.
    panel->addSubview(turned);
    h.show(panel);
    expectNear(turned->convertToWindow({0, 0}), {70, 180});
    // A bounds origin moves what is inside, as scrolling does.
    panel->setBounds({{0, 50}, {200, 300}});
    expectNear(turned->convertToWindow({0, 0}), {70, 130});
    expectNear(turned->convertFromWindow({80, 80}), {50, 10});

    ui::Window& window = h.window();
    auto back = std::make_shared<View>(Rect{0, 0, 320, 480}); // over the panel
    auto front = std::make_shared<View>(Rect{100, 100, 100, 100});
    auto over = std::make_shared<View>(Rect{180, 180, 50, 50});
    back->addSubview(front);
    back->addSubview(over);
    h.show(back);
    EXPECT_EQ(window.hitTest({115, 115}), front.get());
    EXPECT_EQ(window.hitTest({190, 190}), over.get()); // the later sibling is on top

    // Nearly transparent or not interactive: passed over with everything inside.
    front->setAlpha(0.01f);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    front->setAlpha(1);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    // Labels and image views let touches through.
    back->addSubview(std::make_shared<ui::Label>(Rect{0, 0, 50, 50}));
    back->addSubview(std::make_shared<ui::ImageView>(ui::Image::named("touchCircle.png")));
    EXPECT_EQ(window.hitTest({25, 25}), back.get());
}

TEST(Drawing, AlphaHidingFlipsAndOpaqueViewsDecideWhatIsDrawn) {
    testkit::Harness h;
    auto panel = std::make_shared<View>(Rect{10, 20, 200, 400});
    panel->setBackgroundColor({1, 0, 0, 1});
    auto logo = std::make_shared<ui::ImageView>(ui::Image::named("logoGame.png"));
    panel->addSubview(logo);
    h.show(panel);
    EXPECT_EQ(h.render().images().at(0).box, Rect(10, 20, 120, 300)); // its size read from the file
    // A view added to one on screen is drawn in the next frame.
    h.window().markDisplayed();
    panel->addSubview(std::make_shared<View>(Rect{150, 350, 10, 10}));
    EXPECT_TRUE(h.window().damage().touches({160, 370, 10, 10}));

    // Alpha multiplies down the tree; hidden or clear views and all inside them are skipped.
    panel->setAlpha(0.5f);
    logo->setAlpha(0.5f);
    EXPECT_FLOAT_EQ(h.render().images().at(0).alpha, 0.25f);
    logo->setAlpha(0);
    EXPECT_TRUE(h.render().images().empty());
    panel->setHidden(true);
    EXPECT_EQ(h.render().fills().size(), 1u); // the window's own background only
    panel->setHidden(false);

    // A flip narrows the view to nothing at half time.
    View::beginAnimations();
    View::setAnimationTransition(ui::AnimationTransition::FlipFromLeft, *panel);
    View::setAnimationDuration(0.5);
    View::commitAnimations();
    h.advance(0.25);
    EXPECT_NEAR(h.render().fills().back().box.width(), 0, 1e-2);

    // Nothing beneath an opaque view that covers the clip is drawn.
    auto cover = std::make_shared<View>(h.window().bounds());
    cover->setOpaque(true);
    h.show(cover);
    auto fills = [&h] {
        ui::RecordingCanvas canvas;
        canvas.clipToRect(h.window().bounds());
        ui::paintTree(h.window(), canvas);
        return canvas.fills().size();
    };
    EXPECT_EQ(fills(), 0u);
    cover->setAlpha(0.5f); // now what lies beneath shows through
    EXPECT_EQ(fills(), 2u);
    cover->setAlpha(1);
    cover->setCenter({161, 240}); // and beside it
    EXPECT_EQ(fills(), 2u);
    // Pictures come from the resource folder of the moment.
    ui::Image::setResourceFolder("/nonexistent");
    EXPECT_EQ(ui::Image::named("logoGame.png"), nullptr);
}

} // namespace

#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "support/harness.h"

#include "support/printers.h"

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

TEST(ViewTree, TurnedViewsKeepTheirBoxAndPointsConvertThroughThem) {
    testkit::Harness h;
    auto panel = std::make_shared<View>(Rect{20, 30, 200, 300});
    // Turned first and framed after, as command labels are: the frame is the box after the turn.
    auto turned = std::make_shared<ui::Label>();
    turned->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    turned->setFrame({50, 40, 20, 100});
    EXPECT_EQ(turned->bounds(), Rect(0, 0, 100, 20));
    EXPECT_EQ(turned->center(), Point(60, 90));
    turned->setCenter({60, 100}); // moves the box, keeps its size
    EXPECT_EQ(turned->frame(), Rect(50, 50, 20, 100));

    // The turned view's x axis runs up the screen and its y axis to the right.
    panel->addSubview(turned);
    h.show(panel);
    expectNear(turned->convertToWindow({0, 0}), {70, 180});
    expectNear(turned->convertToWindow({100, 20}), {90, 80});
    expectNear(turned->convertFromWindow({80, 130}), {50, 10});
    // A bounds origin moves what is inside, as scrolling does.
    panel->setBounds({{0, 50}, {200, 300}});
    expectNear(turned->convertToWindow({0, 0}), {70, 130});
    expectNear(turned->convertFromWindow({80, 80}), {50, 10});
}

TEST(ViewTree, TouchesFindTheTopmostVisibleViewThatTakesThem) {
    testkit::Harness h;
    ui::Window& window = h.window();
    auto back = std::make_shared<View>(Rect{0, 0, 320, 480});
    auto front = std::make_shared<View>(Rect{100, 100, 100, 100});
    auto inner = std::make_shared<View>(Rect{10, 10, 20, 20});
    auto over = std::make_shared<View>(Rect{180, 180, 50, 50});
    front->addSubview(inner);
    back->addSubview(front);
    back->addSubview(over);
    h.show(back);
    EXPECT_EQ(window.hitTest({150, 150}), front.get());
    EXPECT_EQ(window.hitTest({115, 115}), inner.get());
    EXPECT_EQ(window.hitTest({50, 50}), back.get());
    EXPECT_EQ(window.hitTest({190, 190}), over.get()); // the later sibling is on top
    EXPECT_EQ(window.hitTest({320, 50}), nullptr);

    // Reordering.
    back->bringSubviewToFront(front.get());
    EXPECT_EQ(window.hitTest({190, 190}), front.get());
    back->addSubview(over); // already there: back on top, once
    EXPECT_EQ(window.hitTest({190, 190}), over.get());
    EXPECT_EQ(back->subviews().size(), 2u);

    // Nearly transparent, hidden or not interactive: passed over with everything inside.
    front->setAlpha(0.01f);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    front->setAlpha(1);
    front->setHidden(true);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    front->setHidden(false);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());

    // Labels and image views let touches through.
    back->addSubview(std::make_shared<ui::Label>(Rect{0, 0, 50, 50}));
    back->addSubview(std::make_shared<ui::ImageView>(ui::Image::named("touchCircle.png")));
    EXPECT_EQ(window.hitTest({25, 25}), back.get());
}

} // namespace

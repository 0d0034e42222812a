#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/view.h"
#include "support/harness.h"

#include "support/printers.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ui::Point;
using ui::Rect;
using ui::Size;
using ui::View;

// The quarter turn the screens use for landscape text, as the float they pass.
constexpr float kTurn = -1.5707964f;

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3) << "x";
    EXPECT_NEAR(actual.y, expected.y, 1e-3) << "y";
}

std::vector<View*> order(const View& parent) {
    std::vector<View*> views;
    for (const auto& sub : parent.subviews()) views.push_back(sub.get());
    return views;
}

TEST(ViewGeometry, TurnedViewsKeepTheirFrameAsTheBoxOnScreen) {
    // Turned first and framed after, as command labels are: the frame is the box after the turn.
    ui::Label label;
    label.setTransform(ui::Transform::rotation(kTurn));
    label.setFrame({35, 300, 20, 100});
    EXPECT_EQ(label.bounds(), Rect(0, 0, 100, 20));
    EXPECT_EQ(label.frame(), Rect(35, 300, 20, 100));
    EXPECT_EQ(label.center(), Point(45, 350));

    // A new frame keeps the turn; a new centre moves the box without resizing it.
    label.setFrame({165, -100, 25, 100});
    EXPECT_EQ(label.bounds().size, Size(100, 25));
    EXPECT_EQ(label.frame(), Rect(165, -100, 25, 100));
    label.setCenter({200, 200});
    EXPECT_EQ(label.frame(), Rect(187.5f, 150, 25, 100));

    // Framed first and turned after, as the text view is: the bounds keep the
    // size and the box turns about the centre.
    View text(Rect{0, 135, 320, 210});
    text.setTransform(ui::Transform::rotation(kTurn));
    EXPECT_EQ(text.bounds(), Rect(0, 0, 320, 210));
    EXPECT_EQ(text.frame(), Rect(55, 80, 210, 320));
    EXPECT_EQ(text.center(), Point(160, 240));
}

TEST(ViewTree, SubviewOrderAndReparenting) {
    auto root = std::make_shared<View>(Rect{0, 0, 100, 100});
    auto a = std::make_shared<View>(), b = std::make_shared<View>(), c = std::make_shared<View>();
    root->addSubview(a);
    root->addSubview(b);
    root->addSubview(c);
    EXPECT_EQ(order(*root), (std::vector<View*>{a.get(), b.get(), c.get()}));
    EXPECT_EQ(b->superview(), root.get());

    root->bringSubviewToFront(a.get());
    EXPECT_EQ(order(*root), (std::vector<View*>{b.get(), c.get(), a.get()}));
    // Adding a view that is already there puts it on top, once.
    root->addSubview(b);
    EXPECT_EQ(order(*root), (std::vector<View*>{c.get(), a.get(), b.get()}));

    // Adding to another view takes it from the first.
    auto other = std::make_shared<View>();
    other->addSubview(a);
    EXPECT_EQ(order(*root), (std::vector<View*>{c.get(), b.get()}));
    EXPECT_EQ(order(*other), (std::vector<View*>{a.get()}));
    EXPECT_EQ(a->superview(), other.get());

    c->removeFromSuperview();
    EXPECT_EQ(c->superview(), nullptr);
    EXPECT_EQ(order(*root), (std::vector<View*>{b.get()}));
}

TEST(ViewGeometry, PointsConvertThroughOffsetAndTurnedViews) {
    testkit::Harness h;
    auto panel = std::make_shared<View>(Rect{20, 30, 200, 300});
    auto turned = std::make_shared<View>();
    turned->setTransform(ui::Transform::rotation(kTurn));
    turned->setFrame({50, 40, 20, 100});
    panel->addSubview(turned);
    h.show(panel);

    // The turned view's x axis runs up the screen and its y axis to the right.
    expectNear(turned->convertToWindow({0, 0}), {70, 170});
    expectNear(turned->convertToWindow({100, 0}), {70, 70});
    expectNear(turned->convertToWindow({0, 20}), {90, 170});
    expectNear(turned->convertFromWindow({80, 120}), {50, 10});

    // A bounds origin moves what is inside, as scrolling does.
    panel->setBounds({{0, 50}, {200, 300}});
    expectNear(panel->convertToWindow({0, 50}), {20, 30});
    expectNear(turned->convertToWindow({0, 0}), {70, 120});
    const Point inside{33, 7};
    expectNear(turned->convertFromWindow(turned->convertToWindow(inside)), inside);
}

TEST(HitTesting, FindsTheTopmostVisibleViewThatTakesTouches) {
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
    EXPECT_EQ(window.hitTest({-1, 50}), nullptr);
    EXPECT_EQ(window.hitTest({320, 50}), nullptr);

    // A view that is nearly transparent, hidden or not interactive is passed
    // over with everything inside it.
    front->setAlpha(0.01f);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    front->setAlpha(1);
    front->setHidden(true);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    front->setHidden(false);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(window.hitTest({115, 115}), back.get());
    front->setUserInteractionEnabled(true);

    // Labels and image views let touches through unless enabled.
    auto label = std::make_shared<ui::Label>(Rect{100, 100, 100, 100});
    auto image = std::make_shared<ui::ImageView>();
    image->setFrame({100, 300, 50, 50});
    back->addSubview(label);
    back->addSubview(image);
    EXPECT_EQ(window.hitTest({150, 150}), front.get());
    EXPECT_EQ(window.hitTest({120, 320}), back.get());
    label->setUserInteractionEnabled(true);
    EXPECT_EQ(window.hitTest({150, 150}), label.get());
}

} // namespace

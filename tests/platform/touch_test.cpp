#include "platform/alert_view.h"
#include "platform/scroll_view.h"
#include "platform/touch.h"
#include "support/harness.h"

#include "support/printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using testkit::Harness;
using ui::Event;
using ui::Point;
using ui::Rect;
using ui::TouchSet;
using ui::View;

constexpr float kTurn = -1.5707964f;

// Notes every touch notification it gets: b(egan), m(oved), e(nded), c(ancelled).
class TouchLog : public View {
public:
    using View::View;

    void touchesBegan(const TouchSet& t, const Event&) override {
        note('b', t);
        taps.push_back(t.anyObject().tapCount());
    }
    void touchesMoved(const TouchSet& t, const Event&) override { note('m', t); }
    void touchesEnded(const TouchSet& t, const Event&) override { note('e', t); }
    void touchesCancelled(const TouchSet& t, const Event&) override { note('c', t); }

    std::string phases;
    std::vector<int> taps;
    Point last; // window point of the last notification

private:
    void note(char phase, const TouchSet& t) {
        phases += phase;
        last = t.anyObject().locationInView(nullptr);
    }
};

// Follows its finger, as a node does.
class Dragger : public View {
public:
    using View::View;
    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet& t, const Event& e) override {
        const ui::Touch& touch = t.anyObject();
        mostAtOnce = std::max(mostAtOnce, e.allTouches().size());
        setCenter(center() + touch.locationInView(superview()) - touch.previousLocationInView(superview()));
    }
    void touchesEnded(const TouchSet&, const Event&) override {}
    std::size_t mostAtOnce = 0;
};

Point onScreen(const View& v) { return v.convertToWindow(v.bounds().center()); }

TEST(Touches, StayWithTheirViewAndUnhandledOnesGoUp) {
    Harness h;
    auto parent = std::make_shared<TouchLog>(Rect{0, 0, 320, 480});
    auto plain = std::make_shared<View>(Rect{100, 100, 50, 50});
    auto sibling = std::make_shared<TouchLog>(Rect{200, 100, 50, 50});
    parent->addSubview(plain);
    parent->addSubview(sibling);
    h.show(parent);

    // A plain view handles nothing: its superview gets the touch, all the way over the sibling.
    h.drag(Harness::path({125, 125}, {225, 125}, 4));
    EXPECT_EQ(parent->phases, "bmmmme");
    EXPECT_EQ(parent->last, Point(225, 125));
    EXPECT_EQ(sibling->phases, "");

    // A touch that began on the sibling stays there as it crosses the other view and leaves.
    h.drag(Harness::path({225, 125}, {125, 300}, 4));
    EXPECT_EQ(sibling->phases, "bmmmme");
    EXPECT_EQ(sibling->last, Point(125, 300));
    EXPECT_EQ(parent->phases, "bmmmme");
}

TEST(Touches, TapCountsFollowQuickNearbyTaps) {
    Harness h;
    auto board = std::make_shared<TouchLog>(Rect{0, 0, 320, 480});
    h.show(board);
    const Point p{100, 200};

    h.tap(p);
    h.tap(p);
    h.tap(p);
    EXPECT_EQ(board->taps, (std::vector<int>{1, 2, 3}));

    h.advance(0.5); // too slow
    h.tap(p);
    h.tap({p.x + 30, p.y}); // too far
    h.tap({p.x + 40, p.y + 10});
    EXPECT_EQ(board->taps, (std::vector<int>{1, 2, 3, 1, 1, 2}));

    // A count belongs to one view: a quick second tap that lands on another is a new single tap.
    auto button = std::make_shared<TouchLog>(Rect{p.x - 5, p.y - 20, 10, 10});
    board->addSubview(button);
    h.advance(1);
    h.tap(p);
    h.tap({p.x, p.y - 15});
    h.tap(p);
    EXPECT_EQ(board->taps, (std::vector<int>{1, 2, 3, 1, 1, 2, 1, 1}));
    EXPECT_EQ(button->taps, (std::vector<int>{1}));
    button->removeFromSuperview();

    // A drag is not a tap: the touch after it starts again at 1.
    h.advance(1);
    board->taps.clear();
    h.drag(Harness::path(p, {p.x + 60, p.y}, 6));
    h.tap({p.x + 60, p.y});
    // Nor is a touch that wandered off and came back.
    h.advance(1);
    Harness::Finger f = h.press(p);
    f.slideTo({p.x + 60, p.y}, 3);
    f.slideTo(p, 3);
    f.lift();
    h.tap(p);
    EXPECT_EQ(board->taps, (std::vector<int>{1, 1, 1, 1}));
}

TEST(Touches, TwoFingersDragTwoViewsAtOnce) {
    Harness h;
    auto left = std::make_shared<Dragger>(Rect{40, 40, 30, 30});
    auto right = std::make_shared<Dragger>(Rect{200, 300, 30, 30});
    h.show(left);
    h.show(right);

    Harness::Finger a = h.press({55, 55});
    Harness::Finger b = h.press({215, 315});
    a.moveTo({65, 75});
    EXPECT_EQ(left->center(), Point(65, 75));
    EXPECT_EQ(right->center(), Point(215, 315));
    b.moveTo({205, 305});
    EXPECT_EQ(right->center(), Point(205, 305));
    EXPECT_EQ(left->center(), Point(65, 75));
    EXPECT_EQ(left->mostAtOnce, 2u);
    a.lift();
    b.lift();
    EXPECT_EQ(h.window().touches().activeTouches(), 0u);
}

TEST(Touches, ViewDestroyedMidDrag) {
    Harness h;
    auto under = std::make_shared<TouchLog>(Rect{0, 0, 320, 480});
    auto node = std::make_shared<Dragger>(Rect{100, 100, 30, 30});
    h.show(under);
    h.show(node);

    Harness::Finger f = h.press({115, 115});
    f.moveTo({120, 120});
    std::weak_ptr<View> gone = node;
    node->removeFromSuperview();
    node.reset();
    ASSERT_TRUE(gone.expired());
    f.moveTo({130, 130});
    f.lift();
    EXPECT_EQ(h.window().touches().activeTouches(), 0u);
    EXPECT_EQ(under->phases, ""); // the touch does not move on to another view

    h.tap({115, 115});
    EXPECT_EQ(under->phases, "be");
}

TEST(Touches, ScrollViewTakesOverDragsFromItsEntries) {
    Harness h;
    // The saved-game list: turned, rows of 15 points, more rows than fit.
    auto list = std::make_shared<ui::ScrollView>(Rect{0, 135, 320, 210});
    list->setContentSize({320, 300});
    list->setBounces(false);
    list->setTransform(ui::Transform::rotation(kTurn));
    std::vector<std::shared_ptr<TouchLog>> rows;
    for (int k = 0; k < 20; ++k) {
        rows.push_back(std::make_shared<TouchLog>(Rect{0, 15.f * static_cast<float>(k), 300, 15}));
        list->addSubview(rows.back());
    }
    h.show(list);

    h.tap(onScreen(*rows[2]));
    EXPECT_EQ(rows[2]->phases, "be");

    // Rows run left to right on the screen; dragging left brings later rows in.
    // A drag that starts at once never touches the row it starts on.
    const Point start = onScreen(*rows[0]);
    Harness::Finger f = h.press(start);
    f.slideTo({start.x - 20, start.y}, 2);
    EXPECT_EQ(rows[0]->phases, "");
    const float taken = list->contentOffset().y;
    EXPECT_GT(taken, 0);
    // From then on the content follows the finger.
    f.slideTo({start.x - 50, start.y}, 3);
    EXPECT_NEAR(list->contentOffset().y, taken + 30, 1e-3);
    EXPECT_NEAR(onScreen(*rows[0]).x, start.x - taken - 30, 1e-3);
    // And stops at the end of the content.
    f.slideTo({start.x - 300, start.y}, 5);
    EXPECT_EQ(list->contentOffset(), Point(0, 90));
    f.lift();
    h.advance(1);
    EXPECT_EQ(rows[0]->phases, "");

    // The row now under the first row's old place takes the tap.
    h.tap(start);
    EXPECT_EQ(rows[6]->phases, "be");
    h.drag(Harness::path(start, {start.x + 300, start.y}));
    EXPECT_EQ(list->contentOffset(), Point(0, 0));

    // A finger held still reaches its row a moment later; dragged then, the row loses it.
    Harness::Finger held = h.press(onScreen(*rows[3]));
    EXPECT_EQ(rows[3]->phases, "");
    h.advance(ui::TouchDispatcher::kContentTouchDelay);
    EXPECT_EQ(rows[3]->phases, "b");
    held.slideTo({held.position().x - 20, held.position().y}, 2);
    held.lift();
    EXPECT_EQ(rows[3]->phases, "bmc");
}

TEST(Alert, ShowsOverEverythingAndOnlyItsButtonTakesTouches) {
    Harness h;
    auto board = std::make_shared<TouchLog>(Rect{0, 0, 320, 480});
    h.show(board);
    std::shared_ptr<ui::AlertView> alert = ui::AlertView::show("Game Saved", "Your game was saved.", "OK");
    ASSERT_EQ(h.alert(), alert.get());
    EXPECT_EQ(h.window().subviews().back(), alert);
    const std::vector<std::string> texts = h.render().textStrings();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 3, texts.end()),
              (std::vector<std::string>{"Game Saved", "Your game was saved.", "OK"})); // drawn last

    // Touches beside the box, on its message, dragged across it, or begun on
    // the button and lifted elsewhere change nothing.
    h.tap({10, 10});
    h.tap({160, 240});
    h.drag(Harness::path({10, 10}, {300, 470}));
    const View& button = alert->button();
    h.drag(Harness::path(onScreen(button), {10, 10}));
    EXPECT_EQ(board->phases, "");
    ASSERT_EQ(h.alert(), alert.get());

    h.dismissAlert();
    EXPECT_EQ(h.alert(), nullptr);
    EXPECT_EQ(alert->superview(), nullptr);
    h.tap({10, 10});
    EXPECT_EQ(board->phases, "be");
}

} // namespace

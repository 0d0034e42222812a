#include "platform/alert_view.h"
#include "platform/label.h"
#include "platform/scroll_view.h"
#include "platform/touch.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testkit::Harness;
using testkit::middleOf;
using ui::Point;
using ui::Rect;

// Notes every touch it gets: b(egan), m(oved), e(nded), c(ancelled), and the tap counts.
class TouchLog : public ui::Label {
public:
    explicit TouchLog(Rect frame) : Label(frame) { setUserInteractionEnabled(true); }
    void touchesBegan(const ui::TouchSet& t, const ui::Event&) override {
        phases += 'b';
        taps.push_back(t.anyObject().tapCount());
    }
    void touchesMoved(const ui::TouchSet&, const ui::Event&) override { phases += 'm'; }
    void touchesEnded(const ui::TouchSet&, const ui::Event&) override { phases += 'e'; }
    void touchesCancelled(const ui::TouchSet&, const ui::Event&) override { phases += 'c'; }
    std::string phases;
    std::vector<int> taps;
};

TEST(Touches, StayWithTheirViewAndCountQuickNearbyTaps) {
    Harness h;
    auto board = std::make_shared<TouchLog>(Rect{0, 0, 320, 480});
    auto button = std::make_shared<TouchLog>(Rect{95, 180, 10, 10});
    board->addSubview(std::make_shared<ui::View>(Rect{100, 100, 50, 50}));
    board->addSubview(button);
    h.show(board);
    // A plain view handles nothing: its superview gets the touch, also where it crosses another view.
    h.drag(Harness::path({125, 125}, {100, 185}, 2));
    EXPECT_EQ(board->phases, "bmme");

    // Quick, near and on one view; slow, far, on another view, a drag or a
    // touch that wandered off and came back start again at 1.
    const Point p{100, 200};
    h.advance(1);
    for (const Point q : {p, p, p}) h.tap(q);
    h.advance(0.5);
    for (const Point q : {p, Point{130, 200}, Point{100, 185}, p}) h.tap(q);
    h.drag(Harness::path(p, {160, 200}, 6));
    h.tap({160, 200});
    h.drag({p, {120, 200}, {140, 200}, {160, 200}, {140, 200}, {120, 200}, p});
    h.tap(p);
    EXPECT_EQ(board->taps, (std::vector<int>{1, 1, 2, 3, 1, 1, 1, 2, 1, 1, 1}));
    EXPECT_EQ(button->taps, (std::vector<int>{1}));
    EXPECT_EQ(h.window().touches().activeTouches(), 0u);
    // An alert shows over everything, drawn last.
    ui::AlertView::show("Game Saved", "Your game was saved.", "OK");
    EXPECT_EQ(h.render().textStrings(), (std::vector<std::string>{"Game Saved", "Your game was saved.", "OK"}));
}

TEST(ScrollView, HandsHeldTouchesToItsRowsAndShowsOnlyWhatIsInside) {
    Harness h;
    // The saved-game list: turned, rows of 15 points, more rows than fit.
    auto list = std::make_shared<ui::ScrollView>(Rect{0, 135, 320, 210});
    list->setContentSize({320, 300});
    list->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    std::vector<std::shared_ptr<TouchLog>> rows;
    for (int k = 0; k < 20; ++k) {
        rows.push_back(std::make_shared<TouchLog>(Rect{0, 15.f * static_cast<float>(k), 300, 15}));
        rows.back()->setText(std::to_string(k));
        list->addSubview(rows.back());
    }
    h.show(list);
    h.tap(middleOf(*rows[2])); // quicker than the delay, still a tap on the row
    EXPECT_EQ(rows[2]->phases, "be");

    // A finger held still reaches its row a moment later; dragged then, the row
    // loses it and the list follows the finger, left to show later rows.
    Harness::Finger held = h.press(middleOf(*rows[8]));
    EXPECT_EQ(rows[8]->phases, "");
    h.advance(ui::TouchDispatcher::kContentTouchDelay);
    EXPECT_EQ(rows[8]->phases, "b");
    held.slideTo({held.position().x - 40, held.position().y}, 4);
    EXPECT_EQ(list->contentOffset(), Point(0, 30));
    held.slideTo({held.position().x - 400, held.position().y}, 4);
    held.lift();
    EXPECT_EQ(rows[8]->phases, "bmc");
    EXPECT_EQ(h.render().textStrings().size(), 14u);
    EXPECT_EQ(h.render().textStrings().front(), "6");
}

} // namespace

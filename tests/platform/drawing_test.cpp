#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/painter.h"
#include "platform/scroll_view.h"
#include "support/harness.h"

#include "support/printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

using testkit::Harness;
using ui::Canvas;
using ui::Color;
using ui::Point;
using ui::Rect;
using ui::Size;
using ui::View;

constexpr float kTurn = -1.5707964f;
constexpr Color kGrey{0.5f, 0.5f, 0.5f, 1};

std::shared_ptr<const ui::Image> picture(const std::string& name, Size size) {
    return std::make_shared<const ui::Image>(name, name, size);
}

// Draws as the game screen does: a picture through a flipped CTM, then grey lines.
class Sketch : public View {
public:
    Sketch(Rect frame, std::shared_ptr<const ui::Image> image, std::vector<std::pair<Point, Point>> lines)
        : View(frame), image_(std::move(image)), lines_(std::move(lines)) {}
    void drawRect(Canvas& c, Rect) override {
        const Size size = bounds().size;
        if (image_) {
            c.saveGState();
            c.translateCTM(0, size.height);
            c.scaleCTM(1, -1);
            c.drawImage(*image_, {0, 0, size.width, size.height});
            c.restoreGState();
        }
        c.setRGBStrokeColor(kGrey);
        c.setLineWidth(2);
        for (const auto& [from, to] : lines_) {
            c.moveToPoint(from);
            c.addLineToPoint(to);
        }
        c.strokePath();
    }

private:
    std::shared_ptr<const ui::Image> image_;
    std::vector<std::pair<Point, Point>> lines_;
};

TEST(Drawing, ImagesUprightAndLinesInWindowPoints) {
    Harness h;
    auto panel = std::make_shared<View>(Rect{10, 20, 300, 400});
    panel->addSubview(std::make_shared<Sketch>(Rect{0, 0, 300, 400}, picture("bgInGame.jpg", {320, 480}),
                                               std::vector<std::pair<Point, Point>>{{{10, 10}, {50, 40}}}));
    auto node = std::make_shared<ui::ImageView>(picture("touchCircle.png", {30, 30}));
    EXPECT_EQ(node->frame(), Rect(0, 0, 30, 30));
    node->setCenter({100, 200});
    panel->addSubview(node);
    h.show(panel);

    const ui::RecordingCanvas canvas = h.render();
    ASSERT_EQ(canvas.images().size(), 2u);
    EXPECT_EQ(canvas.images()[0].name, "bgInGame.jpg");
    EXPECT_EQ(canvas.images()[0].box, Rect(10, 20, 300, 400)); // stretched over the view
    EXPECT_TRUE(canvas.images()[0].upright);
    EXPECT_EQ(canvas.images()[1].name, "touchCircle.png");
    EXPECT_EQ(canvas.images()[1].box, Rect(95, 205, 30, 30));
    EXPECT_TRUE(canvas.images()[1].upright);
    ASSERT_EQ(canvas.lines().size(), 1u);
    EXPECT_EQ(canvas.lines()[0].from, Point(20, 30));
    EXPECT_EQ(canvas.lines()[0].to, Point(60, 60));
    EXPECT_EQ(canvas.lines()[0].color, kGrey);
    EXPECT_EQ(canvas.lines()[0].width, 2);
}

TEST(Drawing, TurnedLabelsRunBottomToTopInsideTheirFrame) {
    Harness h;
    auto title = std::make_shared<ui::Label>();
    title->setTransform(ui::Transform::rotation(kTurn));
    title->setFrame({35, 300, 20, 100});
    title->setText("Credits");
    title->setFont({"Trebuchet MS", 17});
    title->setTextAlignment(ui::TextAlignment::Right);
    auto row = std::make_shared<ui::Label>(Rect{0, 15, 300, 15});
    row->setText("[2011-05-01 10:00], LVL 3, Easy, SP");
    h.show(title);
    h.show(row);

    const ui::RecordingCanvas canvas = h.render();
    ASSERT_EQ(canvas.texts().size(), 2u);
    const auto& turned = canvas.texts()[0];
    EXPECT_EQ(turned.text, "Credits");
    EXPECT_EQ(turned.box, Rect(35, 300, 20, 100));
    EXPECT_NEAR(turned.turn, -std::numbers::pi / 2, 1e-4);
    EXPECT_EQ(turned.font, (ui::Font{"Trebuchet MS", 17}));
    EXPECT_EQ(turned.alignment, ui::TextAlignment::Right);
    EXPECT_EQ(canvas.texts()[1].box, Rect(0, 15, 300, 15));
    EXPECT_EQ(canvas.texts()[1].turn, 0);
}

TEST(Drawing, AlphaAndHidingCarryDownTheTree) {
    Harness h;
    auto panel = std::make_shared<View>(Rect{0, 0, 200, 200});
    panel->setBackgroundColor({1, 0, 0, 1});
    auto child = std::make_shared<ui::ImageView>(picture("logoGame.png", {100, 50}));
    panel->addSubview(child);
    h.show(panel);
    auto imageCount = [&h] { return h.render().images().size(); };

    panel->setAlpha(0.5f);
    child->setAlpha(0.5f);
    ui::RecordingCanvas canvas = h.render();
    ASSERT_EQ(canvas.images().size(), 1u);
    EXPECT_FLOAT_EQ(canvas.images()[0].alpha, 0.25f);
    EXPECT_FLOAT_EQ(canvas.fills().back().color.alpha, 0.5f);
    child->setAlpha(0);
    EXPECT_EQ(imageCount(), 0u);
    child->setAlpha(1);
    panel->setHidden(true);
    EXPECT_EQ(imageCount(), 0u);
    EXPECT_EQ(h.render().fills().size(), 1u); // the window's own background only
    panel->setHidden(false);
    panel->setAlpha(0);
    EXPECT_EQ(imageCount(), 0u);

    // What is drawn follows the animation, not the model value.
    View::beginAnimations("in");
    View::setAnimationDuration(1);
    View::setAnimationDelay(0.5);
    panel->setAlpha(1);
    View::commitAnimations();
    EXPECT_EQ(imageCount(), 0u);
    h.advance(1);
    ASSERT_EQ(imageCount(), 1u);
    EXPECT_NEAR(h.render().images()[0].alpha, 0.5, 1e-4);

    // A flip narrows the view about its centre to nothing at half time and back.
    View::beginAnimations("flip");
    View::setAnimationTransition(ui::AnimationTransition::FlipFromLeft, *panel);
    View::setAnimationDuration(0.5);
    View::commitAnimations();
    auto drawnBox = [&h] { return h.render().fills().back().box; };
    EXPECT_EQ(drawnBox(), Rect(0, 0, 200, 200));
    h.advance(0.125);
    EXPECT_NEAR(drawnBox().width(), 200 * std::cos(std::numbers::pi / 4), 1e-2);
    EXPECT_NEAR(drawnBox().center().x, 100, 1e-3);
    h.advance(0.125);
    EXPECT_NEAR(drawnBox().width(), 0, 1e-2);
    h.advance(0.25);
    EXPECT_NEAR(drawnBox().width(), 200, 1e-3);
}

TEST(Drawing, NothingBeneathAnOpaqueViewThatCoversTheClipIsDrawn) {
    Harness h;
    auto beneath = std::make_shared<View>(Rect{0, 0, 100, 100});
    beneath->setBackgroundColor(kGrey);
    auto cover = std::make_shared<View>(h.window().bounds());
    cover->setOpaque(true);
    h.show(beneath);
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
}

TEST(Drawing, ScrollViewShowsOnlyWhatIsInside) {
    Harness h;
    auto list = std::make_shared<ui::ScrollView>(Rect{0, 135, 320, 210});
    list->setContentSize({320, 300});
    list->setTransform(ui::Transform::rotation(kTurn));
    for (int k = 0; k < 20; ++k) {
        auto row = std::make_shared<ui::Label>(Rect{0, 15.f * static_cast<float>(k), 300, 15});
        row->setText("row " + std::to_string(k));
        list->addSubview(row);
    }
    // One line crosses the part shown at first, the other lies beyond it.
    list->addSubview(std::make_shared<Sketch>(Rect{0, 0, 320, 300}, nullptr,
                                              std::vector<std::pair<Point, Point>>{{{0, 0}, {300, 280}},
                                                                                   {{10, 250}, {290, 290}}}));
    h.show(list);
    auto rows = [](int from, int to) {
        std::vector<std::string> names;
        for (int k = from; k <= to; ++k) names.push_back("row " + std::to_string(k));
        return names;
    };

    EXPECT_EQ(h.render().textStrings(), rows(0, 13));
    ASSERT_EQ(h.render().lines().size(), 1u);
    EXPECT_EQ(h.render().lines()[0].from, list->convertToWindow({0, 0}));
    list->setContentOffset({0, 90});
    EXPECT_EQ(h.render().textStrings(), rows(6, 19));
    EXPECT_EQ(h.render().lines().size(), 2u);
    list->setContentOffset({0, 7});
    EXPECT_EQ(h.render().textStrings(), rows(0, 14)); // rows shown in part are drawn
}

} // namespace

#include "game_screen_fixture.h"

#include "platform/image.h"

#include <cmath>

namespace testkit {
namespace {

TEST_F(GameScreenTest, DraggedCirclesStayInThePlayingArea) {
    startEasySinglePlayer();
    // Circle 0 has no links; the crossing elsewhere keeps the level going.
    useBoard({150, 200, 280, 200, 280}, {150, 300, 380, 380, 300}, {{}, {2}, {}, {4}, {}});
    const struct {
        ui::Point towards;
        ui::Point centre;
    } edges[] = {
        {{-200, 150}, {33, 150}},  // left: beside the heads-up display
        {{150, -200}, {150, 15}},  // top
        {{600, 150}, {305, 150}},  // right edge of the screen
        {{150, 900}, {150, 465}},  // bottom
        {{-200, -200}, {33, 15}},
        {{600, 900}, {305, 465}},
    };
    for (const auto& edge : edges) {
        dragNodeTo(0, {150, 150});
        ASSERT_EQ(centreOf(0), (ui::Point{150, 150}));
        auto finger = h.press(centreOf(0));
        finger.slideTo(edge.towards);
        EXPECT_EQ(centreOf(0), edge.centre);
        const core::Point coord = screen->collection()[0]->getCoord();
        EXPECT_EQ((ui::Point{coord.x, coord.y}), edge.centre);
        finger.lift();
    }
}

TEST_F(GameScreenTest, TwoFingersDragTwoCirclesAtOnce) {
    startEasySinglePlayer();
    useCrossedBoard();
    const ui::Point a = centreOf(0), b = centreOf(2);
    h.dragTogether(Harness::path(a, {60, 400}), Harness::path(b, {280, 50}));
    EXPECT_EQ(centreOf(0), (ui::Point{60, 400}));
    EXPECT_EQ(centreOf(2), (ui::Point{280, 50}));
    // 0-1 and 2-3 no longer cross: the second lift found the level won, and only once.
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->getCurrentScore(), 10);
}

TEST_F(GameScreenTest, ATapThatMovesNothingStillAsksWhetherTheLevelIsOver) {
    startEasySinglePlayer();
    useSolvedBoard();
    const auto first = screen->collection()[0];
    h.tap(centreOf(0));
    EXPECT_EQ(centreOf(0), (ui::Point{100, 100}));
    EXPECT_TRUE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getLevel(), 2);
    // The tapped circle was raised above the others, under the panel.
    const auto& subviews = screen->subviews();
    const auto blur = std::find(subviews.begin(), subviews.end(), screen->blurImage());
    EXPECT_EQ(*(blur - 1), first);

    // Later lifts ask again but never end the level a second time.
    h.tap(centreOf(1));
    h.tap({200, 300});
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->getCurrentScore(), 10);
}

TEST_F(GameScreenTest, CirclesComeToRestOnWholePoints) {
    startEasySinglePlayer();
    // A triangle: its links can never cross, wherever a corner goes. At a
    // fractional point such as (100.33, 162.5) two links of one circle would
    // count as crossing by rounding.
    useBoard({150, 200, 60}, {200, 100, 120}, {{1, 2}, {2}, {}});
    const ui::Point from = centreOf(0);
    h.drag(Harness::path(from, {from.x - 49.6667f, from.y - 37.5f}, 5));
    const core::Point coord = screen->collection()[0]->getCoord();
    EXPECT_EQ(coord.x, std::round(coord.x));
    EXPECT_EQ(coord.y, std::round(coord.y));
    EXPECT_TRUE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getLevel(), 2);
}

TEST_F(GameScreenTest, ACancelledTouchLeavesTheCircleWhereItWasWithoutAsking) {
    startEasySinglePlayer();
    useCrossedBoard();
    auto finger = h.press(centreOf(0));
    finger.slideTo({250, 120}); // uncrosses the board
    finger.cancel();
    EXPECT_EQ(centreOf(0), (ui::Point{250, 120}));
    EXPECT_FALSE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getLevel(), 1);
}

TEST_F(GameScreenTest, TheBoardDrawsItsBackgroundAndOneGreyLinePerLinkEntry) {
    // Before any board, only the background.
    auto canvas = h.render();
    ASSERT_EQ(canvas.images().size(), 1u);
    EXPECT_EQ(canvas.images()[0].name, "bgInGame.jpg");
    EXPECT_TRUE(canvas.images()[0].upright);
    EXPECT_EQ(canvas.images()[0].box, (ui::Rect{0, 0, 320, 480}));
    EXPECT_TRUE(canvas.lines().empty());

    startEasySinglePlayer();
    // Node 0 and node 1 list each other: the same line is drawn twice.
    useBoard({100, 200, 150}, {100, 100, 300}, {{1, 2}, {0}, {}});
    canvas = h.render();
    ASSERT_EQ(canvas.lines().size(), 3u);
    for (const auto& line : canvas.lines()) {
        EXPECT_EQ(line.color, (ui::Color{0.58f, 0.58f, 0.58f, 1}));
        EXPECT_EQ(line.width, 2.0f);
    }
    EXPECT_EQ(canvas.lines()[0].from, (ui::Point{100, 100}));
    EXPECT_EQ(canvas.lines()[0].to, (ui::Point{200, 100}));
    EXPECT_EQ(canvas.lines()[1].to, (ui::Point{150, 300}));
    EXPECT_EQ(canvas.lines()[2].from, (ui::Point{200, 100}));
    EXPECT_EQ(canvas.lines()[2].to, (ui::Point{100, 100}));
    // Circles are drawn over the lines.
    EXPECT_EQ(std::count_if(canvas.images().begin(), canvas.images().end(),
                            [](const auto& image) { return image.name == "touchCircle.png"; }),
              3);

    // The lines follow a circle while it is dragged.
    auto finger = h.press(centreOf(2));
    finger.slideTo({250, 350});
    canvas = h.render();
    ASSERT_EQ(canvas.lines().size(), 3u);
    EXPECT_EQ(canvas.lines()[2].from, (ui::Point{100, 100}));
    EXPECT_EQ(canvas.lines()[2].to, (ui::Point{250, 350}));
    finger.lift();
}

TEST_F(GameScreenTest, AHeadsUpDisplayAlongTheTopEdgeInLandscape) {
    const auto texts = h.render().texts();
    std::vector<std::string> strings;
    for (const auto& text : texts) {
        strings.push_back(text.text);
        EXPECT_NEAR(text.turn, -1.5707964f, 1e-4) << text.text;
        EXPECT_EQ(text.box.minX(), -1.0f) << text.text;
        EXPECT_EQ(text.box.width(), 20.0f) << text.text;
    }
    EXPECT_EQ(strings, (std::vector<std::string>{"Level:", "0", "Score:", "0", "Time:", "00:00", "Tap twice for options"}));
    EXPECT_EQ(texts[5].box, (ui::Rect{-1, 254, 20, 40}));
    EXPECT_EQ(texts[6].box, (ui::Rect{-1, 2, 20, 145}));
    EXPECT_EQ(texts[6].color, ui::Color::white());
}

} // namespace
} // namespace testkit

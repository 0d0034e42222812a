#include "game_screen_fixture.h"

#include "core/crossing.h"

#include <algorithm>

namespace testkit {
namespace {

struct ClockCase {
    bool timeTrial;
    int minutes, seconds; // where the level starts
    double after;
    const char* text;
};

class ClockTest : public GameScreenTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockTest, ShowsMinutesAndSecondsEachWithTwoDigits) {
    const ClockCase& c = GetParam();
    startGame(10, 20, "Medium", c.timeTrial, c.minutes, c.seconds);
    useCrossedBoard();
    h.advance(c.after);
    EXPECT_EQ(time(), c.text);
    // However long it runs, the clock never ends a Single Player level.
    EXPECT_FALSE(ended());
}

INSTANTIATE_TEST_SUITE_P(
    BothModes, ClockTest,
    ::testing::Values(ClockCase{false, 0, 0, 0.5, "00:00"}, ClockCase{false, 0, 0, 17, "00:17"},
                      ClockCase{false, 0, 0, 60, "01:00"}, ClockCase{false, 0, 0, 549, "09:09"},
                      ClockCase{false, 0, 0, 600, "10:00"}, ClockCase{false, 0, 0, 4354, "72:34"},
                      ClockCase{true, 2, 0, 1, "01:59"}, ClockCase{true, 1, 30, 1, "01:29"},
                      ClockCase{true, 0, 60, 1, "00:59"}, ClockCase{true, 1, 30, 80, "00:10"},
                      ClockCase{true, 0, 60, 60, "00:00"}));

TEST_F(GameScreenTest, ASinglePlayerLevelIsWonByDraggingAndTheNextHasACircleMore) {
    startEasySinglePlayer();
    ASSERT_EQ(screen->collection().size(), 7u);
    h.advance(3.0);
    EXPECT_EQ(time(), "00:03");
    // A double tap on a circle is no double tap on the board.
    h.doubleTap(centreOf(0));
    EXPECT_EQ(screen->inGameMenu()->alpha(), 0.0f);

    // Lined up along the top edge, where the playing area stops them, the circles
    // cross nothing, but their links lie on one line: no win.
    for (std::size_t i = 0; i < 7; ++i) dragNodeTo(i, {i == 0 ? -200.0f : 45.0f + 35.0f * i, -200});
    EXPECT_EQ(centreOf(0), (ui::Point{33, 15}));
    EXPECT_FALSE(ended());

    solveByDragging(h, *screen);
    ASSERT_TRUE(core::isSolved(boardOf(*screen)));
    EXPECT_TRUE(ended());
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->dlevelLabel()->text(), "2");
    EXPECT_EQ(screen->dscoreLabel()->text(), "10");
    h.advance(kMenuOpens);
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"You Win!", "Next Level", "Save Game", "Load Game", "Quit to main"}));
    const std::string stoppedAt = time();
    // The blur under the panel takes every touch meant for the board.
    const ui::Point before = centreOf(0);
    h.drag(Harness::path(before, {before.x + 40, before.y + 40}));
    EXPECT_EQ(centreOf(0), before);
    EXPECT_EQ(time(), stoppedAt);

    // A double click on "Next Level" is one tap on it: the second opens no menu over the new level.
    h.doubleTap(middleOf(*screen->label2()));
    EXPECT_EQ(screen->collection().size(), 8u);
    EXPECT_FALSE(ended());
    EXPECT_EQ(screen->getCurrentScore(), 10);
    EXPECT_EQ(time(), "00:00");
    // A menu opened while the panel still flips away keeps its views and holds the clock.
    h.advance(0.1);
    h.doubleTap(kBoard);
    h.advance(1.5);
    for (const auto* view : {screen->blurImage().get(), screen->inGameMenu().get()}) EXPECT_EQ(view->alpha(), 1.0f);
    EXPECT_EQ(screen->label1()->superview(), screen.get());
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"Restart", "Save Game", "Load Game", "Options", "Quit to main"}));
    EXPECT_EQ(screen->label4()->textColor(), widgets::kInertText);
    EXPECT_EQ(time(), "00:00");

    // "Restart": a new board of the same size under the menu layer, level and score kept.
    const auto oldFirst = screen->collection().front();
    h.advance(2.0);
    tapLabel(*screen->label1());
    EXPECT_EQ(screen->collection().size(), 8u);
    EXPECT_EQ(oldFirst->superview(), nullptr);
    const auto& views = screen->subviews();
    const auto menuAt = std::find(views.begin(), views.end(), screen->blurImage());
    EXPECT_NE(std::find(views.begin(), menuAt, screen->collection().back()), menuAt);
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->getCurrentScore(), 10);
    h.advance(kMenuCloses);
    EXPECT_EQ(screen->inGameMenu()->superview(), nullptr);
    EXPECT_EQ(screen->label5()->superview(), nullptr);
    h.advance(1.0);
    EXPECT_EQ(time(), "00:01");
}

TEST_F(GameScreenTest, LinksAreDrawnUnderTheCirclesAndFollowTheOneDragged) {
    auto canvas = h.render(); // before any board, only the background
    ASSERT_EQ(canvas.images().size(), 1u);
    EXPECT_EQ(canvas.images()[0].name, "bgInGame.jpg");
    EXPECT_TRUE(canvas.images()[0].upright);
    EXPECT_EQ(canvas.images()[0].box, (ui::Rect{0, 0, 320, 480}));
    EXPECT_TRUE(canvas.lines().empty());

    startEasySinglePlayer();
    // A triangle whose first link is listed by both its circles: drawn twice.
    useBoard({100, 200, 150}, {100, 100, 300}, {{1, 2}, {0}, {}});
    const auto lines = [&] {
        std::vector<std::pair<ui::Point, ui::Point>> all;
        const auto drawn = h.render();
        for (const auto& line : drawn.lines()) {
            EXPECT_EQ(line.color, (ui::Color{0.58f, 0.58f, 0.58f, 1}));
            EXPECT_EQ(line.width, 2.0f);
            all.emplace_back(line.from, line.to);
        }
        return all;
    };
    using Lines = std::vector<std::pair<ui::Point, ui::Point>>;
    EXPECT_EQ(lines(), (Lines{{{100, 100}, {200, 100}}, {{100, 100}, {150, 300}}, {{200, 100}, {100, 100}}}));
    canvas = h.render();
    EXPECT_EQ(std::count_if(canvas.images().begin(), canvas.images().end(),
                            [](const auto& image) { return image.name == "touchCircle.png"; }),
              3);

    // Dragged to a point between pixels, the circle comes to rest on a whole one,
    // raised above the others; its links follow it, drawn last.
    auto finger = h.press(centreOf(2));
    finger.slideTo({250.4f, 350.6f});
    EXPECT_EQ(centreOf(2), (ui::Point{250, 351}));
    EXPECT_EQ(lines(), (Lines{{{100, 100}, {200, 100}}, {{200, 100}, {100, 100}}, {{100, 100}, {250, 351}}}));
    EXPECT_EQ(screen->subviews().back(), screen->collection()[2]);
    finger.cancel(); // a cancelled touch asks nothing
    EXPECT_FALSE(ended());

    // Solved but not ended by a finger: a double tap ends it as a lift would, and opens no menu over the panel.
    h.doubleTap(kBoard);
    EXPECT_TRUE(ended());
    EXPECT_FALSE(screen->timer()->isValid());
    toggleMenu();
    h.tap(centreOf(1));
    EXPECT_EQ(screen->label1()->text(), "You Win!");
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->getCurrentScore(), 10);
}

TEST_F(GameScreenTest, CirclesStayInThePlayingAreaAndTwoFingersDragTwoAtOnce) {
    startEasySinglePlayer();
    useCrossedBoard();
    auto finger = h.press(centreOf(0));
    finger.slideTo({600, 900});
    EXPECT_EQ(centreOf(0), (ui::Point{305, 465}));
    finger.slideTo({-200, -200}); // beside the heads-up display
    EXPECT_EQ(centreOf(0), (ui::Point{33, 15}));
    const core::Point coord = screen->collection()[0]->getCoord();
    EXPECT_EQ((ui::Point{coord.x, coord.y}), (ui::Point{33, 15}));
    finger.lift();

    h.dragTogether(Harness::path(centreOf(0), {60, 400}), Harness::path(centreOf(2), {280, 50}));
    EXPECT_EQ(centreOf(0), (ui::Point{60, 400}));
    EXPECT_EQ(centreOf(2), (ui::Point{280, 50}));
    // The links no longer cross: a lift found the level won, and only once.
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->getCurrentScore(), 10);
}

TEST_F(GameScreenTest, ATimeTrialPausesUnderItsMenuAndIsLostAtZero) {
    startGame(10, 20, "Medium", true, 0, 60);
    useCrossedBoard();
    h.advance(20.0);
    ASSERT_EQ(time(), "00:40");
    toggleMenu();
    h.advance(20.0);
    EXPECT_EQ(time(), "00:40");
    h.doubleTap(kBoard);
    h.advance(0.3); // still flipping shut
    EXPECT_EQ(time(), "00:40");
    h.advance(1.0);
    EXPECT_EQ(time(), "00:39");

    // Closed again while it flips in: its entries never show over the board.
    h.doubleTap(kBoard);
    h.advance(0.41);
    h.doubleTap(kBoard);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 0.0f);
    for (int frame = 0; frame < 30; ++frame) {
        h.advance(1.0 / 60);
        EXPECT_EQ(screen->label1()->presentationAlpha(), 0.0f);
    }

    // Shown 0:00, the level is not lost until the next tick, or a double tap, finds it so.
    for (int i = 0; i < 200 && time() != "00:00"; ++i) h.advance(0.25);
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->blurImage()->alpha(), 0.0f);
    h.doubleTap(kBoard);
    EXPECT_TRUE(screen->getDead());
    EXPECT_TRUE(ended());
    EXPECT_FALSE(screen->timer()->isValid());
    EXPECT_EQ(screen->getLevel(), 1);
    EXPECT_EQ(screen->getCurrentScore(), 0);
    h.advance(kMenuOpens);
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"You Lose!", "Restart", "Save Game", "Load Game", "Quit to main"}));
    EXPECT_EQ(screen->label3()->getLabelId(), "save_loose");
    EXPECT_EQ(screen->label3()->textColor(), widgets::kInertText);
    tapLabel(*screen->label3()); // the grey "Save Game" does nothing
    EXPECT_EQ(h.alert(), nullptr);
    EXPECT_TRUE(saves::SaveFolder(saveFolder.path()).list().saveNames.empty());

    // "Restart": a new board of the same size, the clock back at the level's start.
    tapLabel(*screen->label2());
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->getNrNoduri(), 4);
    EXPECT_FALSE(ended());
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "00:59");
    useCrossedBoard();
    h.advance(59.0);
    EXPECT_FALSE(screen->getDead());
    h.advance(1.0);
    EXPECT_TRUE(screen->getDead());
    EXPECT_FALSE(screen->timer()->isValid());
    EXPECT_EQ(time(), "00:00");
}

TEST_F(GameScreenTest, ABoardSolvedWhenTimeRunsOutIsWonAndTheNextLevelHasTheWholeTime) {
    startGame(7, 10, "Easy", true, 0, 1);
    useSolvedBoard();
    h.advance(2.0 + kMenuOpens);
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->getCurrentScore(), 10);
    EXPECT_EQ(screen->label1()->text(), "You Win!");
    tapLabel(*screen->label2());
    EXPECT_EQ(screen->getNrNoduri(), 4);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "01:59");
}

} // namespace
} // namespace testkit

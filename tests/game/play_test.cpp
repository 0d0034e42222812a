#include "game_screen_fixture.h"

#include "support/folder_rights.h"

#include <fstream>

namespace testkit {
namespace {

struct ClockCase {
    bool timeTrial;
    int minutes, seconds; // where the level starts
    double after;
    const char* text;
};
class ClockTest : public GameScreenTest, public ::testing::WithParamInterface<ClockCase> {};

// Each part of the time below 10 with one leading 0.
TEST_P(ClockTest, ShowsMinutesAndSecondsWithTwoDigitsEach) {
    const ClockCase& c = GetParam();
    startGame(10, 20, "Medium", c.timeTrial, c.minutes, c.seconds);
    useCrossedBoard();
    h.advance(c.after);
    EXPECT_EQ(time(), c.text);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ClockTest,
                         ::testing::Values(ClockCase{false, 0, 0, 549, "09:09"}, ClockCase{false, 0, 0, 610, "10:10"},
                                           ClockCase{true, 2, 0, 1, "01:59"}, ClockCase{true, 1, 30, 80, "00:10"}));

TEST_F(GameScreenTest, ASinglePlayerLevelIsWonByDraggingAndTheNextHasACircleMore) {
    startGame(7, 10, "Easy", false);
    solveByDragging(h, *screen);
    EXPECT_TRUE(ended());
    const std::string stoppedAt = time();
    h.advance(kMenuOpens + 2.0);
    EXPECT_EQ(hud(), (std::vector<std::string>{"2", "10", stoppedAt}));
    EXPECT_EQ(menuTexts(),
              (std::vector<std::string>{"You Win!", "Next Level", "Save Game", "Load Game", "Quit to main"}));

    // A double click on "Next Level" is one tap on it: the second opens no menu over the new level.
    h.doubleTap(middleOf(*screen->label2()));
    EXPECT_EQ(screen->collection().size(), 8u);
    EXPECT_FALSE(ended());
    EXPECT_EQ(hud(), (std::vector<std::string>{"2", "10", "00:00"}));
    // A menu opened while the panel still flips away keeps its views, and holds the clock.
    h.advance(0.1);
    toggleMenu();
    h.advance(1.0);
    EXPECT_EQ(screen->label1()->superview(), screen.get());
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"Restart", "Save Game", "Load Game", "Options", "Quit to main"}));
    EXPECT_EQ(time(), "00:00");

    // "Restart": a new board of the same size under the menu, level and score kept.
    tapLabel(*screen->label1());
    EXPECT_EQ(screen->collection().size(), 8u);
    EXPECT_EQ(screen->subviews().back(), screen->levelTimeLabel());
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(screen->inGameMenu()->superview(), nullptr);
    EXPECT_EQ(hud(), (std::vector<std::string>{"2", "10", "00:01"}));
}

TEST_F(GameScreenTest, CirclesRestOnWholePointsInThePlayingAreaAndTwoFingersDragTwo) {
    startGame(7, 10, "Easy", false);
    useCrossedBoard();
    auto finger = h.press(centreOf(0));
    finger.slideTo({600, 900});
    EXPECT_EQ(centreOf(0), (ui::Point{305, 465}));
    // Between pixels, where two links of one circle could count as crossing by rounding.
    finger.slideTo({250.4f, 120.6f});
    EXPECT_EQ(centreOf(0), (ui::Point{250, 121}));
    EXPECT_EQ(screen->subviews().back(), screen->collection()[0]); // raised above the others
    EXPECT_EQ(h.render().lines().back().from, centreOf(0));        // its link drawn last, over the board's
    finger.cancel(); // the board is solved, but a cancelled touch asks nothing
    EXPECT_FALSE(ended());

    dragNodeTo(h, *screen, 0, {100, 100});
    h.dragTogether(Harness::path(centreOf(0), {60, 400}), Harness::path(centreOf(2), {280, 50}));
    EXPECT_EQ(centreOf(0), (ui::Point{60, 400}));
    // The links no longer cross: a lift found the level won, and only once.
    EXPECT_EQ(hud()[1], "10");
}

TEST_F(GameScreenTest, ATimeTrialPausesUnderItsMenuIsLostAtZeroAndWonWhenSolvedThen) {
    startGame(10, 20, "Medium", true, 0, 60);
    useCrossedBoard();
    h.advance(20.0);
    toggleMenu(); // the entries fade in once the menu has flipped in
    EXPECT_FLOAT_EQ(screen->label1()->presentationAlpha(), 1.0f);
    h.advance(20.0);
    EXPECT_EQ(time(), "00:40");
    // The board under the menu takes no drag.
    const ui::Point under = centreOf(0);
    h.drag(Harness::path(under, {200, 300}));
    EXPECT_EQ(centreOf(0), under);
    h.doubleTap(kBoard);
    h.advance(0.3); // still flipping shut
    EXPECT_EQ(time(), "00:40");
    h.advance(1.0);
    EXPECT_EQ(time(), "00:39");

    // Closed again while it flips in: its entries never show over the board.
    h.doubleTap(kBoard);
    h.advance(0.41);
    h.doubleTap(kBoard);
    for (int frame = 0; frame < 30; ++frame, h.advance(1.0 / 60))
        EXPECT_EQ(screen->label1()->presentationAlpha(), 0.0f);

    // Shown 0:00, the level is not lost until the next tick or a double tap finds it so. A save
    // on exit keeps it as ended, and changes nothing in the game.
    for (int i = 0; i < 200 && time() != "00:00"; ++i) h.advance(0.25);
    screen->SaveOnExit([](const core::Result<>&) {});
    EXPECT_TRUE(saved().at(0).ends_with("]-auto, LVL 1, Medium, TT")) << saved()[0];
    EXPECT_TRUE(folder.read(saved()[0])->IsGameEnded);
    EXPECT_TRUE(screen->game().isLevelInPlay());
    toggleMenu();
    EXPECT_EQ(hud(), (std::vector<std::string>{"1", "0", "00:00"}));
    EXPECT_EQ(menuTexts(),
              (std::vector<std::string>{"You Lose!", "Restart", "Save Game", "Load Game", "Quit to main"}));
    tapLabel(*screen->label3()); // the grey "Save Game" does nothing
    EXPECT_EQ(h.alert(), nullptr);

    // "Restart": the whole of the difficulty's time. A board solved when it runs out is a win.
    tapLabel(*screen->label2());
    useBoard({100, 200, 150}, {100, 100, 300}, {{1}, {2}, {0}});
    h.advance(kMenuCloses + 90.0);
    EXPECT_EQ(time(), "00:00");
    h.advance(1.0 + kMenuOpens);
    EXPECT_EQ(hud(), (std::vector<std::string>{"2", "20", "00:00"}));
    EXPECT_EQ(menuTexts()[0], "You Win!");
}

TEST_F(GameScreenTest, SaveGameWritesTheGameAsItStandsAndSaysWhenItCannot) {
    game.Score = 30;
    startGame(7, 10, "Easy", false);
    useCrossedBoard();
    h.advance(3.0);
    toggleMenu();
    {
        FolderRights readOnly(saveFolder.path(),
                              std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        tapLabel(*screen->label2()); // "Save Game"
    }
    EXPECT_EQ(h.alert()->message(), "The game could not be saved (creating the file: Permission denied).");
    h.dismissAlert();
    std::filesystem::remove(saveFolder.path()); // deleted meanwhile: made again
    tapLabel(*screen->label2());
    EXPECT_EQ(h.alert()->message(), "Game saved successfully!");
    h.dismissAlert();
    ASSERT_EQ(saved().size(), 1u);
    EXPECT_TRUE(saved()[0].ends_with("], LVL 1, Easy, SP")) << saved()[0];
    // Points, difficulty, level, score, Single Player, the board, in play, the clock at 0:03.
    const saves::SavedGameRecord expected{
        10, "Easy", 1, 30, false, 4, {100, 200, 100, 200}, {100, 200, 200, 100}, {{1}, {}, {3}, {}}, false, 0, 3};
    EXPECT_EQ(*folder.read(saved()[0]), expected);
    // Saving changed nothing: the clock goes on once the menu is gone.
    h.doubleTap(kBoard);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "00:04");

    // Saved again within the minute, the game is still one row; the new board
    // "Restart" deals is another game, which keeps the first.
    const std::string first = saved()[0];
    toggleMenu();
    tapLabel(*screen->label2());
    h.dismissAlert();
    EXPECT_EQ(saved(), std::vector{first});
    tapLabel(*screen->label1()); // "Restart"
    h.advance(kMenuCloses);
    toggleMenu();
    tapLabel(*screen->label2());
    h.dismissAlert();
    const std::vector<std::string> both = saved();
    EXPECT_EQ(std::set(both.begin(), both.end()), (std::set{first, first + " (2)"}));
    EXPECT_EQ(folder.read(first)->xNodes, expected.xNodes);

    // A save on exit that fails says why.
    std::filesystem::remove_all(saveFolder.path());
    std::ofstream(saveFolder.path()) << "a file where the folder was";
    core::Result<> kept;
    screen->SaveOnExit([&](const core::Result<>& saved) { kept = saved; });
    EXPECT_EQ(kept.reason(), "creating the folder: Not a directory");
}

} // namespace
} // namespace testkit

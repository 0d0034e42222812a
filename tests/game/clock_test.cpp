#include "game_screen_fixture.h"

#include "platform/timer.h"

namespace testkit {
namespace {

TEST_F(GameScreenTest, SinglePlayerCountsUpInItsFormats) {
    startEasySinglePlayer();
    useCrossedBoard();
    EXPECT_EQ(time(), "00:00");
    h.advance(1.0);
    EXPECT_EQ(time(), "00:01");
    h.advance(16.0);
    EXPECT_EQ(time(), "00:17");

    screen->setMinutes(0, 59);
    h.advance(1.0);
    EXPECT_EQ(time(), "01:00");
    screen->setMinutes(3, 6);
    h.advance(1.0);
    EXPECT_EQ(time(), "03:07");
    screen->setMinutes(9, 59);
    h.advance(1.0);
    EXPECT_EQ(time(), "10:00");
    h.advance(7.0);
    EXPECT_EQ(time(), "10:07");
    screen->setMinutes(12, 33);
    h.advance(1.0);
    EXPECT_EQ(time(), "12:34");
    EXPECT_EQ(screen->getMinutes(), 12);
    EXPECT_EQ(screen->getSeconds(), 34);

    // However long it runs, the clock never ends a Single Player level.
    h.advance(3600.0);
    EXPECT_EQ(time(), "72:34");
    EXPECT_FALSE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->blurImage()->alpha(), 0.0f);
}

TEST_F(GameScreenTest, TimeTrialCountsDownFromEachDifficultysTime) {
    const struct {
        int minutes, seconds;
        const char* firstTick;
    } starts[] = {{2, 0, "01:59"}, {1, 30, "01:29"}, {0, 60, "00:59"}};
    for (const auto& start : starts) {
        startGame(7, 10, "Easy", true, start.minutes, start.seconds);
        useCrossedBoard();
        h.advance(1.0);
        EXPECT_EQ(time(), start.firstTick);
        screen->timer()->invalidate();
    }
}

TEST_F(GameScreenTest, RunningOutOfTimeLosesTheLevelOnTheTickAfterZero) {
    startGame(10, 20, "Medium", true, 0, 60);
    useCrossedBoard();
    h.advance(60.0);
    EXPECT_EQ(time(), "00:00");
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->blurImage()->alpha(), 0.0f);

    h.advance(1.0); // the 61st tick finds 0:00
    EXPECT_TRUE(screen->getDead());
    EXPECT_TRUE(game::Nod::getGameEnded());
    EXPECT_FALSE(screen->timer()->isValid());
    EXPECT_EQ(time(), "00:00");
    EXPECT_EQ(screen->getLevel(), 1);
    EXPECT_EQ(screen->getCurrentScore(), 0);
    h.advance(kMenuOpens);
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"You Lose!", "Restart", "Save Game", "Load Game", "Quit to main"}));
    EXPECT_EQ(screen->label3()->getLabelId(), "save_loose");
    EXPECT_EQ(screen->label3()->textColor(), (ui::Color{0.4f, 0.4f, 0.4f, 1}));

    // The grey "Save Game" does nothing at all.
    tapLabel(*screen->label3());
    EXPECT_EQ(h.alert(), nullptr);
    EXPECT_TRUE(saves::SaveFolder(saveFolder.path()).list().saveNames.empty());
    EXPECT_EQ(screen->label3()->textColor(), (ui::Color{0.4f, 0.4f, 0.4f, 1}));
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);

    // "Restart": a new board of the same size, the clock back at the level's start.
    tapLabel(*screen->label2());
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->getNrNoduri(), 4);
    EXPECT_FALSE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getMinutes(), 0);
    EXPECT_EQ(screen->getSeconds(), 60);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "00:59");

    // A double tap in the last second, the clock at 0:00, loses the level at once.
    useCrossedBoard();
    h.advance(59.0);
    ASSERT_EQ(time(), "00:00");
    h.doubleTap({250, 400});
    EXPECT_TRUE(game::Nod::getGameEnded());
    h.advance(kMenuOpens);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);
    EXPECT_EQ(screen->label1()->text(), "You Lose!");
}

TEST_F(GameScreenTest, ABoardSolvedWhenTimeRunsOutIsAWinAndTheNextLevelIsNotLost) {
    startGame(7, 10, "Easy", true, 2, 0);
    useSolvedBoard();
    screen->setMinutes(0, 0);
    h.advance(1.0);
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->getCurrentScore(), 10);
    h.advance(kMenuOpens);
    EXPECT_EQ(screen->label1()->text(), "You Win!");

    tapLabel(*screen->label2());
    EXPECT_FALSE(screen->getDead());
    EXPECT_EQ(screen->getNrNoduri(), 4);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "01:59");
}

TEST_F(GameScreenTest, TheOptionsMenuStopsTheClockUntilItHasClosed) {
    startGame(14, 25, "Hard", true, 1, 30);
    useCrossedBoard();
    h.advance(20.0);
    ASSERT_EQ(time(), "01:10");
    h.doubleTap({250, 400});
    h.advance(20.0);
    EXPECT_EQ(time(), "01:10");
    h.doubleTap({250, 400});
    h.advance(0.3); // still flipping shut
    EXPECT_EQ(time(), "01:10");
    h.advance(1.0);
    EXPECT_EQ(time(), "01:09");
    EXPECT_EQ(screen->getMinutes(), 1);
    EXPECT_EQ(screen->getSeconds(), 9);
}

} // namespace
} // namespace testkit

#include "game_screen_fixture.h"

#include "core/crossing.h"
#include "platform/image_view.h"
#include "platform/timer.h"

namespace testkit {
namespace {

TEST_F(GameScreenTest, WinningByDraggingOpensTheWinPanelAndNextLevelAddsACircle) {
    startEasySinglePlayer();
    ASSERT_EQ(screen->collection().size(), 7u);
    h.advance(3.0);
    ASSERT_EQ(time(), "00:03");

    // Lined up along the top edge, where the playing area stops them, the
    // circles cross nothing, but their links lie on one line: no win.
    for (std::size_t i = 0; i < 7; ++i) {
        dragNodeTo(i, {45.0f + 35.0f * static_cast<float>(i), -200});
        ASSERT_EQ(centreOf(i).y, 15.0f);
    }
    EXPECT_FALSE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getLevel(), 1);

    solveByDragging();
    ASSERT_TRUE(core::isSolved(board()));
    EXPECT_TRUE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(screen->dlevelLabel()->text(), "2");
    EXPECT_EQ(screen->dscoreLabel()->text(), "10");

    // The panel flips in, then its labels fade in; the clock has stopped.
    h.advance(kMenuOpens);
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"You Win!", "Next Level", "Save Game", "Load Game", "Quit to main"}));
    EXPECT_FLOAT_EQ(screen->label2()->presentationAlpha(), 1.0f);
    const std::string stoppedAt = time();
    h.advance(5.0);
    EXPECT_EQ(time(), stoppedAt);

    // The blur takes every touch meant for the board: no circle moves under the panel.
    const ui::Point before = centreOf(0);
    h.drag(Harness::path(before, {before.x + 40, before.y + 40}));
    EXPECT_EQ(centreOf(0), before);

    // A quick double click on "Next Level" is one tap on it: the second opens no menu over the new level.
    h.doubleTap(middleOf(*screen->label2()));
    EXPECT_EQ(screen->collection().size(), 8u);
    EXPECT_FALSE(game::Nod::getGameEnded());
    EXPECT_EQ(screen->getCurrentScore(), 10);
    EXPECT_EQ(screen->getLevel(), 2);
    EXPECT_EQ(time(), "00:00");
    h.advance(kMenuCloses);
    EXPECT_EQ(screen->inGameMenu()->superview(), nullptr);
    EXPECT_EQ(screen->label1()->superview(), nullptr);
    h.advance(1.0);
    EXPECT_EQ(time(), "00:01");
}

TEST_F(GameScreenTest, TheBoardIsBuiltUnderTheMenuLayerAndReplacedWhole) {
    startEasySinglePlayer();
    h.doubleTap({250, 400});
    h.advance(kMenuOpens);
    const auto oldFirst = screen->collection().front();

    tapLabel(*screen->label1()); // "Restart": a new board of the same size under the closing menu
    EXPECT_EQ(screen->collection().size(), 7u);
    EXPECT_NE(screen->collection().front(), oldFirst);
    EXPECT_EQ(oldFirst->superview(), nullptr);
    const auto& subviews = screen->subviews();
    const auto position = [&](const ui::View* v) {
        return std::find_if(subviews.begin(), subviews.end(), [v](const auto& s) { return s.get() == v; }) - subviews.begin();
    };
    for (const auto& nod : screen->collection()) {
        EXPECT_LT(position(nod.get()), position(screen->inGameMenu().get()));
        EXPECT_LT(position(nod.get()), position(screen->label5().get()));
    }
    // Seven HUD labels below the circles.
    EXPECT_LT(position(screen->infoLabel().get()), position(screen->collection().front().get()));
}

TEST_F(GameScreenTest, RestartFromTheMenuKeepsLevelAndScoreAndRestartsTheClock) {
    game.Level = 3;
    game.Score = 20;
    startEasySinglePlayer();
    h.advance(42.0);
    h.doubleTap({250, 400});
    h.advance(kMenuOpens);
    tapLabel(*screen->label1());
    EXPECT_EQ(time(), "00:00");
    EXPECT_EQ(screen->getLevel(), 3);
    EXPECT_EQ(screen->getCurrentScore(), 20);
    EXPECT_FALSE(screen->getDead());
    // Paused until the closing flip has ended, then counting from 0:00.
    h.advance(kMenuCloses);
    h.advance(1.0);
    EXPECT_EQ(time(), "00:01");
}

TEST_F(GameScreenTest, QuitToMainLeavesTheGameAndResetsItsState) {
    game.Score = 40;
    startGame(10, 20, "Medium", true, 1, 30);
    h.doubleTap({250, 400});
    h.advance(kMenuOpens);
    tapLabel(*screen->label5());
    EXPECT_EQ(screen->alpha(), 0.0f);
    EXPECT_FALSE(screen->getIsInGame());
    EXPECT_FALSE(screen->getTrialTime());
    EXPECT_FALSE(screen->getNewGame());
    EXPECT_EQ(screen->getLevel(), 1);
    EXPECT_EQ(screen->getScoreInc(), 0);
    EXPECT_EQ(screen->getCurrentScore(), 40);
    EXPECT_EQ(screen->getNrNoduri(), 10);
    ASSERT_TRUE(screen->timer());
    EXPECT_FALSE(screen->timer()->isValid());
}

TEST_F(GameScreenTest, ABoardThatCannotBeRebuiltLeavesTheGameAsItWas) {
    useSolvedBoard();
    const auto before = screen->collection();
    EXPECT_FALSE(screen->RestartGame({100, 200, 150}, {100, 100, 300}, {{1}, {7}, {0}}, true));
    EXPECT_FALSE(screen->RestartGame({100, 200}, {100, 100}, {{1}, {0}}, true));
    EXPECT_EQ(screen->collection(), before);
}

} // namespace
} // namespace testkit

#include "game_screen_fixture.h"

#include "platform/image_view.h"
#include "platform/timer.h"

namespace testkit {
namespace {

constexpr ui::Point kBoard{250, 400};

TEST_F(GameScreenTest, ADoubleTapOnTheBoardOpensTheOptionsMenuAndASecondClosesIt) {
    startEasySinglePlayer();
    useCrossedBoard();
    // In the corner of a circle's square, beside the drawn circle, is the board.
    const ui::Point beside = centreOf(0) + ui::Point{13, 13};
    h.tap(beside);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 0.0f);

    h.tap(beside); // the second tap of a double tap
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);
    EXPECT_EQ(screen->blurImage()->alpha(), 1.0f);
    // The labels wait for the flip, then fade in together.
    EXPECT_EQ(screen->label1()->presentationAlpha(), 0.0f);
    h.advance(0.55);
    EXPECT_EQ(screen->label1()->superview(), screen.get());
    EXPECT_LT(screen->label1()->presentationAlpha(), 0.1f);
    h.advance(0.5);
    EXPECT_EQ(menuTexts(), (std::vector<std::string>{"Restart", "Save Game", "Load Game", "Options", "Quit to main"}));
    EXPECT_EQ(screen->label4()->textColor(), (ui::Color{0.4f, 0.4f, 0.4f, 1}));
    for (const auto* label : {screen->label1().get(), screen->label5().get()}) {
        EXPECT_FLOAT_EQ(label->presentationAlpha(), 1.0f);
    }

    // A third tap in a row does nothing more.
    h.tap(kBoard);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);

    h.advance(1.0);
    h.doubleTap(kBoard);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(screen->label1()->alpha(), 0.0f);
    h.advance(kMenuCloses);
    EXPECT_EQ(screen->blurImage()->superview(), nullptr);
    EXPECT_EQ(screen->label5()->superview(), nullptr);
}

TEST_F(GameScreenTest, ADoubleTapDuringTheOpeningFlipClosesTheMenuAtOnce) {
    startEasySinglePlayer();
    useCrossedBoard();
    h.doubleTap(kBoard);
    // Long enough for a new double tap, not for the 0.5 s flip to end.
    h.advance(0.41);
    h.doubleTap(kBoard);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 0.0f);
    // The entries never show over the board while the menu flips shut.
    for (int frame = 0; frame < 30; ++frame) {
        h.advance(1.0 / 60);
        EXPECT_EQ(screen->label1()->presentationAlpha(), 0.0f);
    }
    h.advance(2.0);
    EXPECT_EQ(screen->inGameMenu()->superview(), nullptr);
    EXPECT_EQ(screen->label1()->superview(), nullptr);
}

TEST_F(GameScreenTest, AMenuOpenedWhileThePanelFlipsAwayKeepsItsCardAndPause) {
    startEasySinglePlayer();
    solveByDragging();
    h.advance(kMenuOpens);
    tapLabel(*screen->label2()); // "Next Level": the panel flips away for 0.5 s
    h.advance(0.1);
    h.doubleTap({8, 240});
    h.advance(1.5);
    for (const ui::View* view : std::initializer_list<const ui::View*>{
             screen->blurImage().get(), screen->inGameMenu().get(), screen->label1().get()}) {
        EXPECT_EQ(view->superview(), screen.get());
        EXPECT_EQ(view->alpha(), 1.0f);
    }
    const std::string pausedAt = time();
    h.advance(3.0);
    EXPECT_EQ(time(), pausedAt);
}

TEST_F(GameScreenTest, ADoubleTapOnALevelThatIsOverEndsItAndNoMenuOpensOverThePanel) {
    startEasySinglePlayer();
    useSolvedBoard();
    // Solved but not yet ended by a finger: the double tap finds it over and ends it as a lift would.
    h.doubleTap(kBoard);
    EXPECT_TRUE(game::Nod::getGameEnded());
    EXPECT_FALSE(screen->timer()->isValid());
    EXPECT_EQ(screen->getLevel(), 2);
    h.advance(kMenuOpens);
    ASSERT_EQ(screen->label1()->text(), "You Win!");
    h.doubleTap(kBoard);
    h.advance(kMenuOpens);
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);
    EXPECT_EQ(screen->label1()->text(), "You Win!");
    EXPECT_EQ(screen->getLevel(), 2);
}

TEST_F(GameScreenTest, DoubleTapsOnACircleOrALabelOpenNothing) {
    startEasySinglePlayer();
    useCrossedBoard();
    h.doubleTap(centreOf(0));
    EXPECT_EQ(screen->inGameMenu()->alpha(), 0.0f);

    // With the menu open, a double tap on an entry runs the entry, not the menu toggle.
    h.advance(1.0);
    h.doubleTap(kBoard);
    h.advance(kMenuOpens);
    h.advance(1.0);
    h.doubleTap(middleOf(*screen->label4())); // "Options": inert
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);
}

} // namespace
} // namespace testkit

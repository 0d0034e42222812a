#include "start_screen_fixture.h"

namespace testkit {
namespace {

TEST_F(StartScreenTest, TheIntroFadesThreePicturesThenTheMainMenuSlidesIn) {
    EXPECT_EQ(h.render().images().at(0).name, "bgMenu.jpg");
    // Each picture waits 0.7 s, fades in 0.7 s, waits 0.7 s and fades out 0.7 s.
    const struct {
        double at;
        const char* picture;
        float alpha;
    } moments[] = {{0, "logoOrvane.png", 0},  {0.65, "logoOrvane.png", 0}, {1.45, "logoOrvane.png", 1},
                   {4.25, "presents.png", 1}, {7.05, "logoGame.png", 1},   {8.35, "logoGame.png", 0}};
    for (const auto& moment : moments) {
        h.advance(moment.at - h.now());
        EXPECT_EQ(logo(), moment.picture) << moment.at;
        EXPECT_NEAR(start->img()->presentationAlpha(), moment.alpha, 0.05) << moment.at;
    }
    EXPECT_TRUE(start->mainMenu().labels().empty());
    h.advance(0.1); // the menu logo comes with the menu
    EXPECT_EQ(logo(), "logoGameMenu.png");
    ASSERT_EQ(start->mainMenu().labels().size(), 5u);
    h.advance(kSlide);
    EXPECT_EQ(entry(start->mainMenu(), 4).presentationCenter(), (ui::Point{257.5f, 60}));
    EXPECT_FLOAT_EQ(start->img()->presentationAlpha(), 1.0f);
}

TEST_F(StartScreenTest, MenusLeadThroughModeAndDifficultyAndBackAgain) {
    h.advance(1.0);
    h.pressKey(ui::Key::Other); // any key ends the intro; the fades under way lead nowhere
    h.advance(kIntro);
    EXPECT_EQ(logo(), "logoGameMenu.png");
    EXPECT_FLOAT_EQ(start->img()->presentationAlpha(), 1.0f);
    choose(entry(start->mainMenu(), 3)); // "Options": nothing
    EXPECT_TRUE(start->gameModeMenu().labels().empty());

    choose(entry(start->mainMenu(), 0)); // "New Game"
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), -340.0f);
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    EXPECT_EQ(entry(start->gameModeMenu(), 0).text(), "Single Player");
    choose(entry(start->gameModeMenu(), 1)); // "Time Trial"
    EXPECT_EQ(start->menuTitle()->text(), "SELECT DIFFICULTY");
    ASSERT_EQ(start->difficultyMenu().labels().size(), 4u);
    choose(entry(start->difficultyMenu(), 3)); // "Back": the game-mode menu again, the mode kept
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    EXPECT_TRUE(game().getTrialTime());
    EXPECT_EQ(entry(start->gameModeMenu(), 0).frame().minY(), 10.0f);
    choose(entry(start->gameModeMenu(), 2)); // "Back": both modes cleared, the main menu again
    EXPECT_FALSE(game().getTrialTime());
    EXPECT_FALSE(game().getNewGame());
    EXPECT_FLOAT_EQ(start->menuTitle()->presentationAlpha(), 0.0f);
    h.pressKey(ui::Key::Escape); // the main menu is the first
    h.advance(1.0);
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);

    // Escape goes back one step, as "Back" does.
    choose(entry(start->mainMenu(), 0));
    choose(entry(start->gameModeMenu(), 1));
    for (const char* title : {"SELECT GAME MODE", ""}) {
        h.pressKey(ui::Key::Escape);
        h.advance(1.0);
        if (*title) EXPECT_EQ(start->menuTitle()->text(), title);
    }
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
}

TEST_F(StartScreenTest, PanelsOpenOverTheMenuAndOneOpenedWhileTheLastFlipsAwayKeepsItsViews) {
    h.advance(3.0);
    h.tap(start->center()); // a click ends the intro as its last fade would
    EXPECT_EQ(logo(), "logoGameMenu.png");
    h.advance(kSlide);
    choose(entry(start->mainMenu(), 2), kPanelOpens); // "Tutorial"
    EXPECT_EQ(start->panelTitle()->text(), "Tutorial");
    EXPECT_NE(start->textView()->text().find("You can use multiple fingers"), std::string::npos);
    EXPECT_FLOAT_EQ(start->textView()->presentationAlpha(), 1.0f);
    choose(entry(start->mainMenu(), 0)); // the menu behind takes no touch
    EXPECT_TRUE(start->gameModeMenu().labels().empty());
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(start->textView()->superview(), nullptr);

    choose(entry(start->mainMenu(), 4), kPanelOpens); // "Credits": the same views, filled anew
    EXPECT_EQ(start->panelTitle()->text(), "Credits");
    EXPECT_EQ(start->textView()->text().find("You can use"), std::string::npos);
    choose(*start->panelExit(), 0.2); // "Back to menu": the backdrop flips away for 0.8 s
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    for (const ui::View* view : std::initializer_list<const ui::View*>{
             start->panelCover().get(), start->panelBackdrop().get(), start->panelTitle().get(),
             start->scrollView().get(), start->panelExit().get()}) {
        EXPECT_EQ(view->superview(), start.get());
        EXPECT_EQ(view->alpha(), 1.0f);
    }
    EXPECT_EQ(start->textView()->superview(), nullptr);
}

struct Preset {
    std::size_t difficulty;
    const char* name;
    std::size_t circles;
    const char *points, *trialTime, *trialTick;
};
class PresetTest : public StartScreenTest, public ::testing::WithParamInterface<Preset> {};

TEST_P(PresetTest, EachDifficultyStartsBothModesWithItsOwnCirclesPointsAndTime) {
    const Preset& p = GetParam();
    toDifficultyMenu(false);
    h.tap(middleOf(entry(start->difficultyMenu(), p.difficulty)));
    h.advance(kGameFlip / 2); // the game screen flips in
    EXPECT_LT(start->presentationFlipFactor(), 0.2f);
    h.advance(kGameFlip / 2 + 0.3);
    EXPECT_EQ(start->presentationFlipFactor(), 1.0f);
    EXPECT_EQ(start->subviews().back().get(), &game());
    EXPECT_EQ(game().getDifficulty(), p.name);
    EXPECT_EQ(game().collection().size(), p.circles);
    EXPECT_EQ(hud(), (Texts{"1", "0", "00:01"}));
    solveByDragging(h, game());
    h.advance(1.1);
    EXPECT_EQ(hud()[1], p.points);

    choose(*game().label5(), 1.0 + kSlide); // "Quit to main", the menu sliding in
    EXPECT_FALSE(game().getIsInGame());
    for (const auto& label : start->mainMenu().labels()) EXPECT_EQ(label->frame().minY(), 10.0f);
    h.app().resignActive(); // out of a game there is nothing to pause
    h.advance(1.0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);

    // The next game leaves nothing of the last behind; a hidden window pauses it under its menu.
    toDifficultyMenu(true);
    EXPECT_EQ(entry(start->difficultyMenu(), 2).frame(), (ui::Rect{205, 10, 25, 100}));
    choose(entry(start->difficultyMenu(), p.difficulty), kGameFlip);
    EXPECT_EQ(hud(), (Texts{"1", "0", p.trialTime}));
    h.advance(0.3);
    h.app().resignActive();
    h.advance(300);
    EXPECT_EQ(hud(), (Texts{"1", "0", p.trialTick}));
    EXPECT_EQ(game().label1()->text(), "Restart");
}

INSTANTIATE_TEST_SUITE_P(EasyMediumHard, PresetTest,
                         ::testing::Values(Preset{0, "Easy", 7, "10", "02:00", "01:59"},
                                           Preset{1, "Medium", 10, "20", "01:30", "01:29"},
                                           Preset{2, "Hard", 14, "25", "00:60", "00:59"}));

} // namespace
} // namespace testkit

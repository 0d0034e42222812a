#include "start_screen_fixture.h"

namespace testkit {
namespace {

TEST_F(StartScreenTest, TheIntroFadesThreePicturesBeforeTheMenuWhosePanelsOpenOverIt) {
    EXPECT_EQ(h.render().images().at(0).name, "bgMenu.jpg");
    // Each picture waits 0.7 s, fades in 0.7 s, waits 0.7 s and fades out 0.7 s; the menu's logo comes with the menu.
    const struct { double at; const char* picture; float alpha; } moments[] = {
        {0.65, "logoOrvane.png", 0}, {1.45, "logoOrvane.png", 1}, {4.25, "presents.png", 1},
        {7.05, "logoGame.png", 1},   {8.35, "logoGame.png", 0},   {kIntro + kSlide, "logoGameMenu.png", 1}};
    for (const auto& moment : moments) {
        h.advance(moment.at - h.now());
        EXPECT_EQ(start->mainMenu().labels().empty(), moment.at < kIntro);
        EXPECT_EQ(logo(), moment.picture) << moment.at;
        EXPECT_NEAR(start->img()->presentationAlpha(), moment.alpha, 0.05) << moment.at;
    }

    choose(entry(start->mainMenu(), 2), kPanelOpens); // "Tutorial"
    EXPECT_NE(start->textView()->text().find("You can use multiple fingers"), std::string::npos);
    EXPECT_FLOAT_EQ(start->textView()->presentationAlpha(), 1.0f); // the backdrop flipped in, then the text
    choose(entry(start->mainMenu(), 0)); // the menu behind takes no touch
    EXPECT_TRUE(start->gameModeMenu().labels().empty());

    // A panel opened while the last flips away keeps its views.
    choose(*start->panelExit(), 0.2); // "Back to menu"
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    for (const ui::View* view : std::initializer_list<const ui::View*>{start->panelCover().get(),
             start->panelBackdrop().get(), start->panelTitle().get(), start->scrollView().get()})
        EXPECT_TRUE(view->alpha() == 1 && view->superview() == start.get());
    EXPECT_EQ(start->textView()->superview(), nullptr);
    choose(*start->panelExit());
    choose(entry(start->mainMenu(), 4), kPanelOpens); // "Credits": the text panel filled anew
    EXPECT_EQ(start->panelTitle()->text(), "Credits");
}

TEST_F(StartScreenTest, MenusLeadThroughModeAndDifficultyAndBackAgain) {
    h.advance(1.0);
    h.pressKey(ui::Key::Other); // any key ends the intro; the fades under way lead nowhere
    h.advance(kIntro);
    EXPECT_EQ(logo(), "logoGameMenu.png");
    toDifficultyMenu(true);
    EXPECT_EQ(start->menuTitle()->text(), "SELECT DIFFICULTY");
    choose(entry(start->difficultyMenu(), 3)); // "Back": the game-mode menu again, the mode kept
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    EXPECT_EQ(entry(start->gameModeMenu(), 0).frame().minY(), 10.0f);
    choose(entry(start->gameModeMenu(), 2)); // "Back": both modes cleared, the main menu again
    EXPECT_FALSE(game().getTrialTime() || game().getNewGame());

    // Escape does as "Back" does, and nothing on the main menu.
    toDifficultyMenu(false);
    for (int i = 0; i < 3; ++i, h.advance(1.0)) h.pressKey(ui::Key::Escape);
    EXPECT_FALSE(game().getNewGame());
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
}

struct Preset { std::size_t difficulty; const char *name; std::size_t circles; const char *points, *trialTime, *trialTick; };
void PrintTo(const Preset& p, std::ostream* os) { *os << p.name; }
class PresetTest : public StartScreenTest, public ::testing::WithParamInterface<Preset> {};

TEST_P(PresetTest, EachDifficultyStartsBothModesWithItsOwnCirclesPointsAndTime) {
    const Preset& p = GetParam();
    toDifficultyMenu(false);
    h.tap(middleOf(entry(start->difficultyMenu(), p.difficulty)));
    h.advance(kGameFlip / 2); // the game screen flips in
    EXPECT_LT(start->presentationFlipFactor(), 0.2f);
    EXPECT_EQ(start->menuTitle()->alpha(), 0.0f);
    h.advance(kGameFlip / 2 + 0.3);
    EXPECT_EQ(game().collection().size(), p.circles);
    EXPECT_EQ(hud(), (Texts{"1", "0", "00:01"}));
    solveByDragging(h, game());
    h.advance(1.1);
    EXPECT_EQ(hud()[1], p.points);

    choose(*game().label2()); // "Next Level", then quit from the options menu while the clock runs
    h.pressKey(ui::Key::Escape);
    h.advance(1.1);
    choose(*game().label5(), 1.0 + kSlide); // "Quit to main", the menu sliding in
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
    h.app().resignActive(); // out of a game there is nothing to pause
    h.advance(1.0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);

    // The next game leaves nothing of the last behind; a hidden window pauses it under its menu.
    toDifficultyMenu(true);
    choose(entry(start->difficultyMenu(), p.difficulty), kGameFlip);
    EXPECT_EQ(hud(), (Texts{"1", "0", p.trialTime}));
    h.advance(0.3);
    h.app().resignActive();
    h.advance(300);
    EXPECT_EQ(hud(), (Texts{"1", "0", p.trialTick}));
}

INSTANTIATE_TEST_SUITE_P(EasyMediumHard, PresetTest,
                         ::testing::Values(Preset{0, "Easy", 7, "10", "02:00", "01:59"}, Preset{1, "Medium", 10, "20", "01:30", "01:29"},
                                           Preset{2, "Hard", 14, "25", "00:60", "00:59"}));

} // namespace
} // namespace testkit

#include "start_screen_fixture.h"

#include "platform/timer.h"

namespace testkit {
namespace {

TEST_F(StartScreenTest, TheIntroFadesThreePicturesThenTheMainMenuSlidesIn) {
    const auto& img = *start->img();
    // Right after launch: the menu background at its own size, the first picture transparent.
    const auto drawn = h.render().images();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].name, "bgMenu.jpg");
    EXPECT_EQ(logo(), "logoOrvane.png");
    EXPECT_EQ(img.presentationAlpha(), 0.0f);
    EXPECT_EQ(img.center(), start->center());

    // Each picture waits 0.7 s, fades in 0.7 s, waits 0.7 s and fades out 0.7 s.
    const struct {
        double at;
        const char* picture;
        float alpha;
    } moments[] = {{0.65, "logoOrvane.png", 0}, {1.45, "logoOrvane.png", 1}, {2.85, "logoOrvane.png", 0},
                   {2.85, "presents.png", 0},   {4.25, "presents.png", 1},   {7.05, "logoGame.png", 1}};
    double now = 0;
    for (const auto& moment : moments) {
        h.advance(moment.at - now);
        now = moment.at;
        if (moment.picture != logo()) continue; // the picture changes only as its fade begins
        EXPECT_NEAR(img.presentationAlpha(), moment.alpha, 0.01) << moment.picture << " at " << moment.at;
    }
    EXPECT_EQ(logo(), "logoGame.png");
    EXPECT_TRUE(start->mainMenu().labels().empty());

    h.advance(kIntro - now - 0.05);
    EXPECT_EQ(logo(), "logoGame.png");
    h.advance(0.1);
    // The menu logo comes with the menu, only at the end of the intro.
    EXPECT_EQ(logo(), "logoGameMenu.png");
    EXPECT_EQ(img.frame(), ui::Rect::centeredAt(start->center(), img.image()->size()));
    ASSERT_EQ(start->mainMenu().labels().size(), 5u);
    EXPECT_EQ(entry(start->mainMenu(), 0).frame(), (ui::Rect{165, 10, 25, 100}));
    h.advance(kSlide);
    EXPECT_EQ(entry(start->mainMenu(), 4).presentationCenter(), (ui::Point{257.5f, 60}));
    EXPECT_FLOAT_EQ(img.presentationAlpha(), 1.0f);
}

TEST_F(StartScreenTest, AClickDuringTheIntroEndsItAsItsLastFadeWould) {
    h.advance(3.0);
    h.tap(start->center());
    EXPECT_EQ(logo(), "logoGameMenu.png");
    ASSERT_EQ(start->mainMenu().labels().size(), 5u);
    // The fades under way stop, leading nowhere.
    h.advance(kIntro);
    EXPECT_EQ(logo(), "logoGameMenu.png");
    EXPECT_FLOAT_EQ(start->img()->presentationAlpha(), 1.0f);
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
}

TEST_F(StartScreenTest, EscapeGoesBackOneStepWhereverThePlayerIs) {
    h.advance(1.0);
    h.pressKey(ui::Key::Other); // any key ends the intro
    ASSERT_EQ(start->mainMenu().labels().size(), 5u);
    h.advance(kIntro);
    EXPECT_EQ(logo(), "logoGameMenu.png");
    EXPECT_FLOAT_EQ(start->img()->presentationAlpha(), 1.0f);

    choose(entry(start->mainMenu(), 0)); // "New Game"
    choose(entry(start->gameModeMenu(), 1)); // "Time Trial"
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_FALSE(game().getTrialTime());
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
    h.pressKey(ui::Key::Escape); // the main menu is the first
    h.advance(1.0);
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);

    choose(entry(start->mainMenu(), 2)); // "Tutorial"
    h.advance(kPanelOpens - 1.0);
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(start->textView()->superview(), nullptr);

    choose(entry(start->mainMenu(), 0));
    choose(entry(start->gameModeMenu(), 0));
    choose(entry(start->difficultyMenu(), 0));
    h.pressKey(ui::Key::Escape);
    h.advance(1.1);
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    // Each of these keys closes the alert, and only the alert.
    for (const ui::Key key : {ui::Key::Escape, ui::Key::Enter, ui::Key::Space}) {
        h.tap(middleOf(*game().label2())); // "Save Game"
        ASSERT_NE(h.alert(), nullptr);
        h.pressKey(key);
        h.advance(ui::AlertView::kClosing);
        EXPECT_EQ(h.alert(), nullptr);
        EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    }
    h.tap(middleOf(*game().label3())); // "Load Game"
    h.advance(kPanelOpens);
    ASSERT_EQ(start->scrollView()->superview(), start.get());
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(start->scrollView()->superview(), nullptr);
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(game().inGameMenu()->superview(), nullptr);
}

TEST_F(StartScreenTest, NewGameLeadsThroughModeAndDifficultyAndBackAgain) {
    toMainMenu();
    choose(entry(start->mainMenu(), 3)); // "Options": nothing
    EXPECT_TRUE(start->gameModeMenu().labels().empty());

    choose(entry(start->mainMenu(), 0)); // "New Game"
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), -340.0f);
    EXPECT_EQ(entry(start->mainMenu(), 4).frame().minY(), -100.0f);
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    EXPECT_EQ(start->menuTitle()->textColor(), widgets::kHighlight);
    ASSERT_EQ(start->gameModeMenu().labels().size(), 3u);
    EXPECT_EQ(entry(start->gameModeMenu(), 0).text(), "Single Player");
    EXPECT_EQ(entry(start->gameModeMenu(), 2).frame(), (ui::Rect{245, 10, 25, 100}));

    choose(entry(start->gameModeMenu(), 1)); // "Time Trial"
    EXPECT_FALSE(game().getNewGame());
    EXPECT_EQ(start->menuTitle()->text(), "SELECT DIFFICULTY");
    ASSERT_EQ(start->difficultyMenu().labels().size(), 4u);

    choose(entry(start->difficultyMenu(), 3)); // "Back": the game-mode menu again, the mode kept
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    EXPECT_EQ(entry(start->difficultyMenu(), 3).frame().minY(), -340.0f);
    // Its entries slide from their out frames this time, and come to rest in place.
    EXPECT_EQ(entry(start->gameModeMenu(), 0).frame().minY(), 10.0f);

    choose(entry(start->gameModeMenu(), 2)); // "Back": both flags cleared, the main menu again
    EXPECT_FALSE(game().getTrialTime());
    EXPECT_FALSE(game().getNewGame());
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
    // The logo stays the menu's.
    EXPECT_EQ(logo(), "logoGameMenu.png");
    EXPECT_FLOAT_EQ(start->menuTitle()->presentationAlpha(), 0.0f);
}

struct NewGameCase {
    bool timeTrial;
    int difficulty;
    const char* name;
    int points, nodes, minutes, seconds;
    const char* time;
    const char* firstTick;
};

void PrintTo(const NewGameCase& c, std::ostream* os) { *os << c.name << (c.timeTrial ? ", Time Trial" : ", Single Player"); }

class NewGameTest : public StartScreenTest, public ::testing::WithParamInterface<NewGameCase> {};

TEST_P(NewGameTest, StartsTheGameWithItsPreset) {
    const NewGameCase& c = GetParam();
    toDifficultyMenu(c.timeTrial);
    h.tap(middleOf(entry(start->difficultyMenu(), static_cast<std::size_t>(c.difficulty))));

    EXPECT_EQ(game().getDifficulty(), c.name);
    EXPECT_EQ(game().getScoreInc(), c.points);
    EXPECT_EQ(game().getNrNoduri(), c.nodes);
    EXPECT_EQ(game().collection().size(), static_cast<std::size_t>(c.nodes));
    EXPECT_EQ(game().getLevel(), 1);
    EXPECT_EQ(game().getCurrentScore(), 0);
    EXPECT_EQ(game().getInitialMinutes(), c.minutes);
    EXPECT_EQ(game().getInitialSeconds(), c.seconds);
    EXPECT_EQ(game().getTrialTime(), c.timeTrial);
    EXPECT_TRUE(game().getIsInGame());
    EXPECT_EQ(game().dlevelLabel()->text(), "1");
    EXPECT_EQ(game().dscoreLabel()->text(), "0");
    EXPECT_EQ(game().dtimeLabel()->text(), c.time);
    EXPECT_EQ(game().superview(), start.get());
    EXPECT_EQ(start->subviews().back().get(), &game());
    EXPECT_EQ(game().alpha(), 1.0f);
    // The difficulty menu waits at its first positions for the next visit.
    EXPECT_EQ(entry(start->difficultyMenu(), 0).frame(), (ui::Rect{165, -160, 25, 100}));
    EXPECT_EQ(start->menuTitle()->alpha(), 0.0f);

    h.advance(1.0);
    EXPECT_EQ(game().dtimeLabel()->text(), c.firstTick);
}

INSTANTIATE_TEST_SUITE_P(EveryModeAndDifficulty, NewGameTest,
                         ::testing::Values(NewGameCase{false, 0, "Easy", 10, 7, 0, 0, "00:00", "00:01"},
                                           NewGameCase{false, 1, "Medium", 20, 10, 0, 0, "00:00", "00:01"},
                                           NewGameCase{false, 2, "Hard", 25, 14, 0, 0, "00:00", "00:01"},
                                           NewGameCase{true, 0, "Easy", 10, 7, 2, 0, "02:00", "01:59"},
                                           NewGameCase{true, 1, "Medium", 20, 10, 1, 30, "01:30", "01:29"},
                                           NewGameCase{true, 2, "Hard", 25, 14, 0, 60, "00:60", "00:59"}));


TEST_F(StartScreenTest, TheTextPanelsOpenOverTheMenuAndCloseAgain) {
    toMainMenu();
    choose(entry(start->mainMenu(), 2)); // "Tutorial"
    h.advance(kPanelOpens - 1.0);
    EXPECT_EQ(start->panelTitle()->text(), "Tutorial");
    EXPECT_EQ(start->panelTitle()->getLabelId(), "tutorial");
    EXPECT_NE(start->textView()->text().find("You can use multiple fingers to move the circles."), std::string::npos);
    EXPECT_FLOAT_EQ(start->textView()->presentationAlpha(), 1.0f);
    // The menu behind does not react.
    const auto gameModeBefore = start->gameModeMenu().labels().size();
    h.tap(middleOf(entry(start->mainMenu(), 0)));
    h.advance(1.0);
    EXPECT_EQ(start->gameModeMenu().labels().size(), gameModeBefore);
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);
    // Nor does the title.
    choose(*start->panelTitle());
    EXPECT_EQ(start->textView()->alpha(), 1.0f);

    choose(*start->panelExit()); // "Back to menu"
    EXPECT_EQ(start->textView()->superview(), nullptr);
    EXPECT_EQ(start->panelTitle()->superview(), nullptr);

    choose(entry(start->mainMenu(), 4)); // "Credits": the same views, filled anew
    h.advance(kPanelOpens - 1.0);
    EXPECT_EQ(start->panelTitle()->text(), "Credits");
    EXPECT_EQ(start->panelTitle()->getLabelId(), "credits");
    EXPECT_EQ(start->textView()->text().find("You can use"), std::string::npos);
    EXPECT_FLOAT_EQ(start->textView()->presentationAlpha(), 1.0f);
}

TEST_F(StartScreenTest, AHiddenWindowPausesTheGameAndQuitToMainFlipsBackToTheMainMenu) {
    toDifficultyMenu(true);
    choose(entry(start->difficultyMenu(), 0));
    // Minimised, then hidden: the Time Trial waits under its options menu for the player's return.
    const std::string time = game().dtimeLabel()->text();
    h.app().resignActive();
    h.app().resignActive();
    h.advance(300);
    EXPECT_EQ(game().dtimeLabel()->text(), time);
    EXPECT_EQ(game().label1()->text(), "Restart");
    EXPECT_EQ(game().label5()->alpha(), 1.0f);
    h.tap(middleOf(*game().label5())); // "Quit to main"
    EXPECT_EQ(game().alpha(), 0.0f);
    EXPECT_FALSE(game().getIsInGame());
    EXPECT_EQ(game().superview(), start.get()); // hidden, kept for the next game
    h.advance(1.0 + kSlide);
    for (const auto& label : start->mainMenu().labels()) EXPECT_EQ(label->frame().minY(), 10.0f);
    EXPECT_EQ(logo(), "logoGameMenu.png");
    // Out of a game there is nothing to pause.
    h.app().resignActive();
    h.advance(1.0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);

    // The next visit to the difficulty menu slides in from its first positions.
    choose(entry(start->mainMenu(), 0));
    choose(entry(start->gameModeMenu(), 0));
    EXPECT_EQ(entry(start->difficultyMenu(), 2).frame(), (ui::Rect{205, 10, 25, 100}));
}

} // namespace
} // namespace testkit

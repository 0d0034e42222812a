#include "start_screen_fixture.h"
#include "support/folder_rights.h"
#include "widgets/label_colors.h"

#include <algorithm>
#include <fstream>
#include <tuple>

namespace testkit {
namespace {

TEST_F(StartScreenTest, TheIntroFadesThreePicturesBeforeTheMenuWhosePanelsOpenOverIt) {
    EXPECT_EQ(h.render().images().at(0).name, "bgMenu.jpg");
    // Each picture waits 0.7 s, fades in 0.7 s, waits 0.7 s and fades out 0.7 s; the menu's logo comes with the menu.
    const std::tuple<double, const char*, float> moments[] = {
        {0.65, "logoOrvane.png", 0}, {1.45, "logoOrvane.png", 1}, {4.25, "presents.png", 1},
        {7.05, "logoGame.png", 1},   {8.35, "logoGame.png", 0},   {kIntro + kSlide, "logoGameMenu.png", 1}};
    for (const auto& [at, picture, alpha] : moments) {
        h.advance(at - h.now());
        EXPECT_EQ(start->mainMenu().labels().empty(), at < kIntro);
        EXPECT_EQ(logo(), picture) << at;
        EXPECT_NEAR(start->img()->presentationAlpha(), alpha, 0.05) << at;
    }

    choose(entry(start->mainMenu(), 2), kPanelOpens); // "Tutorial"
    EXPECT_NE(start->textView()->text().find("You can use multiple fingers"), std::string::npos);
    EXPECT_FLOAT_EQ(start->textView()->presentationAlpha(), 1.0f); // the backdrop flipped in, then the text
    choose(entry(start->mainMenu(), 0));                           // the menu behind takes no touch
    EXPECT_TRUE(start->gameModeMenu().labels().empty());

    // A panel opened while the last flips away keeps its views.
    choose(*start->panelExit(), 0.2);                 // "Back to menu"
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    for (const ui::View* view :
         std::initializer_list<const ui::View*>{start->panelCover().get(), start->panelBackdrop().get(),
                                                start->panelTitle().get(), start->scrollView().get()})
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
    // The first menu title fades in with its entries.
    choose(entry(start->mainMenu(), 0), kSlide * 1.5); // "New Game"
    EXPECT_NEAR(start->menuTitle()->presentationAlpha(), 0.5f, 0.25f);
    h.advance(kSlide);
    choose(entry(start->gameModeMenu(), 2)); // "Back"
    toDifficultyMenu(true);
    EXPECT_EQ(start->menuTitle()->text(), "SELECT DIFFICULTY");
    choose(entry(start->difficultyMenu(), 3)); // "Back": the game-mode menu again, the mode kept
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    EXPECT_EQ(entry(start->gameModeMenu(), 0).frame().minY(), 10.0f);
    choose(entry(start->gameModeMenu(), 2)); // "Back": the main menu again

    // Escape does as "Back" does, one menu at a time, and nothing on the main menu.
    toDifficultyMenu(false);
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(start->menuTitle()->text(), "SELECT GAME MODE");
    for (int i = 0; i < 2; ++i, h.advance(1.0)) h.pressKey(ui::Key::Escape);
    EXPECT_EQ(entry(start->mainMenu(), 0).frame().minY(), 10.0f);

    // The pointer lights the entry it is over until it leaves the window.
    const auto loadGameShown = [this] {
        const auto texts = h.render().texts();
        const auto load = std::find_if(texts.begin(), texts.end(), [](const auto& t) { return t.text == "Load Game"; });
        return load == texts.end() ? ui::Color::clear() : load->color;
    };
    h.hover(middleOf(entry(start->mainMenu(), 1)));
    EXPECT_EQ(loadGameShown(), widgets::kHighlight);
    h.hover(std::nullopt);
    EXPECT_EQ(loadGameShown(), widgets::kNormalText);
}

struct Preset {
    std::size_t difficulty;
    const char* name;
    std::size_t circles;
    const char *trialTime, *trialTick;
};
void PrintTo(const Preset& p, std::ostream* os) { *os << p.name; }
class PresetTest : public StartScreenTest, public ::testing::WithParamInterface<Preset> {};

TEST_P(PresetTest, EachDifficultyStartsBothModesWithItsOwnCirclesAndTime) {
    const Preset& p = GetParam();
    toDifficultyMenu(false);
    h.tap(middleOf(entry(start->difficultyMenu(), p.difficulty)));
    h.advance(kGameFlip / 2); // the game screen flips in
    EXPECT_LT(start->presentationFlipFactor(), 0.2f);
    EXPECT_EQ(start->menuTitle()->alpha(), 0.0f);
    h.advance(kGameFlip / 2 + 0.3);
    EXPECT_EQ(game().collection().size(), p.circles);
    EXPECT_EQ(hud(), (Texts{"1", "0", "00:01"}));

    // Quit from the options menu while the clock runs.
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
                         ::testing::Values(Preset{0, "Easy", 7, "02:00", "01:59"},
                                           Preset{1, "Medium", 10, "01:30", "01:29"},
                                           Preset{2, "Hard", 14, "00:60", "00:59"}));

namespace fs = std::filesystem;

// A game on "Medium", level 3, score 40, on a board of two crossed links.
saves::SavedGameRecord mediumGame(bool timeTrial, int minutes, int seconds, bool ended = false) {
    return {20,    "Medium", 3,      40, timeTrial, 4, {100, 200, 100, 200}, {100, 200, 200, 100}, {{1}, {}, {3}, {}},
            ended, minutes,  seconds};
}

class LoadTest : public StartScreenTest {
protected:
    // Each file a second newer than the last, all older than the game's own saves, as the
    // file system may not tell quick writes apart.
    void write(const std::string& name, const saves::SavedGameRecord& record) {
        ASSERT_EQ(saves().write({name, record}).reason(), "");
        fs::last_write_time(saves().fileFor(name),
                            fs::file_time_type::clock::now() - std::chrono::seconds(600 - ++writes_));
    }
    // Taps a row of the list and lets the game screen flip in.
    void load(std::size_t row) { choose(*start->scrollView()->rowView(row), kGameFlip); }
    int writes_ = 0;
};

TEST_F(LoadTest, SavedGamesAreListedAndResumeAsSavedUnlessDamaged) {
    fs::remove_all(saveFolder.path());
    toMainMenu();
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    // A folder deleted meanwhile holds no saves, which is no error.
    EXPECT_EQ(h.alert(), nullptr);
    EXPECT_TRUE(start->scrollView()->saveNames().empty());
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);

    // Fourteen rows fill the list, a fifteenth makes it scroll. The newest comes first.
    fs::create_directories(saveFolder.path());
    std::ofstream(saveFolder.path() / "broken.plist") << "<?xml version=\"1.0\"?><plist><dict><key>Level</key>";
    fs::last_write_time(saveFolder.path() / "broken.plist", fs::file_time_type::clock::now() - std::chrono::seconds(1));
    for (int i = 1; i <= 14; ++i) write("game " + std::to_string(i), mediumGame(false, 0, 0));
    write("Medium, TT", mediumGame(true, 0, 37));
    choose(entry(start->mainMenu(), 1), kPanelOpens);
    EXPECT_EQ(start->scrollView()->contentSize(), (ui::Size{320, 240}));
    EXPECT_EQ(start->scrollView()->rowView(14)->frame(), (ui::Rect{0, 210, 300, 15}));
    load(1); // "Medium, TT": the clock goes on from the time saved
    EXPECT_EQ(hud(), (Texts{"3", "40", "00:00"}));
    h.advance(1.0);
    EXPECT_EQ(hud()[2], "00:36");

    // Saved, then loaded over the options menu, which closes: the board as it was, the clock where it stood.
    const core::Board played = boardOf(game());
    h.pressKey(ui::Key::Escape);
    h.advance(1.1);
    choose(*game().label2()); // "Save Game"
    h.dismissAlert();
    // Escape while the list flips in neither closes the options menu beneath nor lets the clock run.
    const std::string stopped = hud()[2];
    choose(*game().label3(), 0.3); // "Load Game"
    h.pressKey(ui::Key::Escape);
    h.advance(kPanelOpens + 2.0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    EXPECT_EQ(hud()[2], stopped);
    EXPECT_EQ(start->panelCover()->superview(), nullptr); // over a game the game is the backdrop
    load(1);                                              // "broken": refused, the list stays open
    EXPECT_EQ(h.alert()->message().rfind("\"broken\" cannot be loaded. ", 0), 0u) << h.alert()->message();
    h.dismissAlert();
    load(0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(boardOf(game()), played);
    EXPECT_EQ(hud(), (Texts{"3", "40", "00:00"}));
    h.advance(1.0);
    EXPECT_EQ(hud()[2], "00:35");
}

TEST_F(LoadTest, ALongListHasLabelsOnlyForRowsInSightAndLosesRowsSwipedOrDeletedByKey) {
    const auto name = [](int i) { return "game " + std::to_string(1000 + i).substr(1); };
    write(name(0), mediumGame(false, 0, 0));
    // One time for all, so listed by name.
    for (int i = 1; i < 100; ++i) fs::create_hard_link(saves().fileFor(name(0)), saves().fileFor(name(i)));
    toMainMenu();
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    widgets::UICustomScrollView& list = *start->scrollView();
    const auto listed = [&](const std::string& save) {
        const auto& names = list.saveNames();
        return std::find(names.begin(), names.end(), save) != names.end();
    };
    // The window point `across` and `down` from the middle of a view on the list, as the list reads.
    const auto beside = [](const ui::View& view, float across, float down) {
        return view.convertToWindow(view.bounds().center() + ui::Point{across, down});
    };
    // Each label shows the save of the row it lies on; a few labels serve the hundred rows.
    const auto rowsShowTheirSaves = [&] {
        for (const auto& view : list.subviews()) {
            const auto* label = dynamic_cast<const widgets::UICustomLabel*>(view.get());
            if (label && !label->isHidden()) {
                EXPECT_EQ(label->text(), list.saveNames().at(static_cast<std::size_t>(label->frame().minY() / 15)));
            }
        }
        EXPECT_LE(list.subviews().size(), 18u);
    };
    const auto swipe = [&](int row, float across) {
        h.drag(Harness::path(middleOf(*list.rowView(row)), beside(*list.rowView(row), across, 0)));
        h.advance(0.3);
    };
    // The top row swipes open as any other; a tap elsewhere closes it.
    swipe(0, -50);
    EXPECT_EQ(list.deleteButton().frame(), (ui::Rect{260, 0, 60, 15}));
    choose(*list.rowView(3));
    EXPECT_EQ(list.deleteButton().frame().width(), 0);
    h.turnWheel(middleOf(list), -40);
    const auto shown = h.render().textStrings();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), name(40)) + std::count(shown.begin(), shown.end(), name(53)), 2);
    rowsShowTheirSaves();
    // A drag up the list, even a little to the left, scrolls it on.
    h.drag(Harness::path(middleOf(list), beside(list, -8, -60)));
    EXPECT_GT(list.contentOffset().y, 600);
    EXPECT_EQ(list.deleteButton().frame().width(), 0);
    rowsShowTheirSaves();

    // A row dragged to the left shows its Delete button; a tap elsewhere hides it and loads nothing.
    const int first = static_cast<int>(list.contentOffset().y / 15) + 1;
    swipe(first, -50);
    EXPECT_EQ(list.deleteButton().frame(), (ui::Rect{260, 15.f * first, 60, 15}));
    choose(*list.rowView(first + 3));
    EXPECT_EQ(list.deleteButton().frame().width(), 0);
    EXPECT_FALSE(game().getIsInGame());
    // Dragged back, the row follows the finger and hides its button; opened again, the button deletes the save.
    swipe(first, -50);
    Harness::Finger back = h.press(middleOf(*list.rowView(first)));
    back.slideTo(beside(*list.rowView(first), 35, 0));
    EXPECT_NEAR(list.rowView(first)->frame().minX(), -25, 0.01);
    back.lift();
    h.advance(0.3);
    EXPECT_EQ(list.rowView(first)->frame().minX(), 0);
    swipe(first, -50);
    choose(list.deleteButton());
    EXPECT_FALSE(listed(name(first)) || fs::exists(saves().fileFor(name(first))));
    rowsShowTheirSaves();

    // The Delete key asks before it deletes the save under the pointer: "Cancel" and Escape keep it.
    const std::string pointed = list.rowView(first)->text();
    h.hover(middleOf(*list.rowView(first)));
    for (int answer = 0; answer < 3; ++answer) {
        h.pressKey(ui::Key::Delete);
        ASSERT_TRUE(h.alert() && h.alert()->actionButton());
        answer == 0 ? h.dismissAlert() : answer == 1 ? h.pressKey(ui::Key::Escape) : choose(*h.alert()->actionButton());
        h.advance(0.5);
        EXPECT_EQ(listed(pointed) && fs::exists(saves().fileFor(pointed)), answer < 2);
    }
    // A save that cannot be deleted stays, and the player is told why.
    FolderRights readOnly(saveFolder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    h.pressKey(ui::Key::Delete);
    h.pressKey(ui::Key::Enter);
    EXPECT_EQ(h.alert()->message(), "The saved game cannot be deleted: Permission denied.");
    EXPECT_EQ(list.saveNames().size(), 98u);
    // Other keys over the list are the screen's: Escape closes the panel.
    h.dismissAlert();
    h.pressKey(ui::Key::Escape);
    EXPECT_EQ(list.alpha(), 0);
}

TEST_F(LoadTest, ASaveOfAnEndedLevelLoadedFromTheLosePanelGoesOnWithTheNextLevel) {
    auto ended = mediumGame(true, 0, 12, true);
    ended.NumberOfNodes = 10;
    write("ended", ended);
    playNewGame(true, 1);
    h.advance(91.5);                       // out of time
    choose(*game().label4(), kPanelOpens); // "Load Game"
    load(0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(game().collection().size(), 11u);
    // A new board shows its time at once.
    EXPECT_EQ(hud(), (Texts{"3", "40", "01:30"}));
}

} // namespace
TEST_F(LoadTest, AFingerStillOnACircleWhenTheGameIsLeftEndsNoLevelBehindTheMenu) {
    write("crossed", mediumGame(false, 0, 0));
    toMainMenu();
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    load(0);
    auto holding = h.press(middleOf(*game().collection()[0]));
    h.doubleTap({8, 240}); // another finger: the options menu
    h.advance(1.1);
    choose(*game().label5());    // "Quit to main"
    holding.slideTo({100, 300}); // untangled, behind the menu
    holding.lift();
    playNewGame(false, 0);
    h.advance(2.0);
    EXPECT_TRUE(game().game().isLevelInPlay());
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(hud(), (Texts{"1", "0", "00:02"}));
}

} // namespace testkit

#include "start_screen_fixture.h"

#include "game/nod.h"
#include "game/playing.h"
#include "platform/alert_view.h"

#include <filesystem>
#include <fstream>

namespace testkit {
namespace {

namespace fs = std::filesystem;

// A game on "Medium", level 3, score 40, on a board of two crossed links.
saves::SavedGameRecord mediumGame(bool timeTrial, int minutes, int seconds) {
    return {.ScoreInc = 20, .Difficulty = "Medium", .Level = 3, .Score = 40, .TimeTrial = timeTrial,
            .NumberOfNodes = 4, .xNodes = {100, 200, 100, 200}, .yNodes = {100, 200, 200, 100},
            .Links = {{1}, {}, {3}, {}}, .Minutes = minutes, .Seconds = seconds};
}

core::Board savedBoard(const saves::SavedGameRecord& r) {
    return *core::rebuildBoard({r.xNodes, r.yNodes, r.Links}, r.NumberOfNodes).board;
}

class LoadTest : public StartScreenTest {
protected:
    void write(const std::string& saveName, const saves::SavedGameRecord& record) {
        fs::create_directories(saves().fileFor(saveName).parent_path());
        ASSERT_EQ(saves().write(saveName, record), std::nullopt);
        stamp(saves().fileFor(saveName));
    }
    void writeFile(const std::string& relativePath, const std::string& bytes) {
        std::ofstream(saveFolder.path() / relativePath, std::ios::binary) << bytes;
        stamp(saveFolder.path() / relativePath);
    }
    // Each file a second newer than the last, as the file system may not tell quick writes apart,
    // and all older than the game's own saves.
    void stamp(const fs::path& file) { fs::last_write_time(file, firstWrite_ + std::chrono::seconds(++writes_)); }

    std::vector<const widgets::UICustomLabel*> rows() const {
        std::vector<const widgets::UICustomLabel*> all;
        for (const auto& view : start->scrollView()->subviews()) {
            all.push_back(dynamic_cast<const widgets::UICustomLabel*>(view.get()));
        }
        return all;
    }
    std::vector<std::string> rowTexts() const {
        std::vector<std::string> texts;
        for (const auto* row : rows()) texts.push_back(row ? row->text() : "(not a command label)");
        return texts;
    }
    const widgets::UICustomLabel& row(const std::string& text) const {
        for (const auto* r : rows()) {
            if (r && r->text() == text) return *r;
        }
        throw std::runtime_error("no row " + text);
    }

    void openLoadPanelFromMainMenu() {
        choose(entry(start->mainMenu(), 1)); // "Load Game"
        h.advance(kPanelOpens - 1.0);
    }
    void openOptionsMenu() {
        h.doubleTap({8, 240}); // on the heads-up strip, where no circle goes
        h.advance(1.1);
    }
    // "Load Game" on the options menu or the end-of-level panel.
    void openLoadPanelFrom(const widgets::UICustomLabel& loadEntry) {
        ASSERT_EQ(loadEntry.text(), "Load Game");
        h.tap(middleOf(loadEntry));
        h.advance(kPanelOpens);
    }
    void closePanel() { choose(*start->panelExit()); }
    // Taps a row and lets the game screen flip in.
    void load(const std::string& name) {
        h.tap(middleOf(row(name)));
        h.advance(kGameFlip);
    }

    bool inTree(const ui::View& view) const { return view.superview() == start.get(); }
    std::string time() { return game().dtimeLabel()->text(); }
    std::vector<std::string> hud() { return {game().dlevelLabel()->text(), game().dscoreLabel()->text(), time()}; }

private:
    const fs::file_time_type firstWrite_ = fs::file_time_type::clock::now() - std::chrono::hours(1);
    int writes_ = 0;
};

TEST_F(LoadTest, TheListShowsEverySaveInTheFolderAndScrollsFromTheFifteenth) {
    toMainMenu();
    openLoadPanelFromMainMenu();
    EXPECT_EQ(start->panelTitle()->text(), "Load Game");
    EXPECT_EQ(start->panelTitle()->getLabelId(), "load");
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(start->scrollView()->contentSize(), (ui::Size{320, 210}));
    EXPECT_EQ(start->scrollView()->frame().size, (ui::Size{210, 320})); // turned
    choose(*start->panelTitle()); // the title is no command
    EXPECT_EQ(start->scrollView()->alpha(), 1.0f);
    closePanel();
    EXPECT_EQ(start->scrollView()->superview(), nullptr);

    for (int i = 1; i <= 12; ++i) write("game " + std::to_string(100 + i), mediumGame(false, 0, 0));
    auto upper = mediumGame(false, 0, 0);
    upper.Level = 5;
    writeFile("Shout.PLIST", saves::encodeRecord(upper));
    auto nested = mediumGame(false, 0, 0);
    nested.Level = 7;
    write("sub/name", nested);
    writeFile("notes.txt", "not a save");
    writeFile("game 101.plist.bak", "not a save either");

    openLoadPanelFromMainMenu();
    ASSERT_EQ(rows().size(), 14u) << ::testing::PrintToString(rowTexts());
    EXPECT_EQ(start->scrollView()->contentSize(), (ui::Size{320, 210}));
    // The newest first.
    EXPECT_EQ(rowTexts()[0], "sub/name");
    EXPECT_EQ(rowTexts()[1], "Shout");
    EXPECT_EQ(rowTexts()[13], "game 101");
    for (std::size_t k = 0; k < 14; ++k) {
        EXPECT_EQ(rows()[k]->frame(), (ui::Rect{0, 15.0f * static_cast<float>(k), 300, 15}));
        EXPECT_EQ(rows()[k]->getLabelId(), "load_label");
        EXPECT_EQ(rows()[k]->font(), (ui::Font{"Trebuchet MS", 14}));
    }
    closePanel();

    write("game 113", mediumGame(false, 0, 0));
    openLoadPanelFromMainMenu();
    ASSERT_EQ(rows().size(), 15u);
    EXPECT_EQ(start->scrollView()->contentSize(), (ui::Size{320, 225}));
    // The last row is below the list's edge until the list is scrolled.
    const ui::Point lastRow = middleOf(row("game 101"));
    EXPECT_NE(h.window().hitTest(lastRow), &row("game 101"));
    // A finger drags the list up by more than the one row it can go.
    const auto& list = *start->scrollView();
    h.drag(Harness::path(list.convertToWindow({150, 150}), list.convertToWindow({150, 100})));
    EXPECT_EQ(list.contentOffset(), (ui::Point{0, 15}));
    // The wheel and a touchpad scroll it too, as far as it goes.
    const ui::Point overList = list.convertToWindow({150, 100});
    for (const auto& [lines, offset] : {std::pair{2.0f, 0.0f}, {-0.5f, 7.5f}, {-3.0f, 15.0f}}) {
        h.turnWheel(overList, lines);
        EXPECT_EQ(list.contentOffset(), (ui::Point{0, offset})) << lines;
    }
    // The row under the finger never lit up: the list took the drag before the row was touched.
    for (const auto* r : rows()) EXPECT_EQ(r->textColor(), widgets::kNormalText);
    // The row under a still pointer lights up; turned away by the wheel, it goes dark and the row now there lights.
    h.hover(overList);
    const auto* before = dynamic_cast<const widgets::UICustomLabel*>(h.window().hitTest(overList));
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->textColor(), widgets::kHighlight);
    h.turnWheel(overList, 1);
    const auto* after = dynamic_cast<const widgets::UICustomLabel*>(h.window().hitTest(overList));
    ASSERT_NE(after, before);
    EXPECT_EQ(before->textColor(), widgets::kNormalText);
    EXPECT_EQ(after->textColor(), widgets::kHighlight);
    load("sub/name");
    EXPECT_EQ(game().getLevel(), 7);
    EXPECT_EQ(game().dlevelLabel()->text(), "7");
}

TEST_F(LoadTest, AFolderThatCannotBeListedIsToldAndTheListStaysEmpty) {
    fs::remove_all(saveFolder.path());
    toMainMenu();
    openLoadPanelFromMainMenu();
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->title(), "Load Game");
    EXPECT_EQ(h.alert()->message().rfind("The saved games cannot be listed: ", 0), 0u) << h.alert()->message();
    h.dismissAlert();
    EXPECT_TRUE(rows().empty());
    closePanel();
    EXPECT_FALSE(game().getIsInGame());
}

TEST_F(LoadTest, AGameSavedQuitAndLoadedFromTheMainMenuComesBackAsItWas) {
    playNewGame(false, 0);
    // Move a circle so that the board is no longer the one the level began with.
    const ui::Point from = game().collection().front()->center();
    dragNodeTo(h, game(), 0, {from.x < 160 ? from.x + 60 : from.x - 60, from.y});
    ASSERT_FALSE(game::Nod::getGameEnded());
    h.advance(3.0);
    ASSERT_EQ(time(), "00:03");
    const core::Board played = boardOf(game());

    openOptionsMenu();
    h.tap(middleOf(*game().label2())); // "Save Game"
    h.dismissAlert();
    h.tap(middleOf(*game().label5())); // "Quit to main"
    h.advance(1.0 + kSlide + 0.1);
    ASSERT_FALSE(game().getIsInGame());

    openLoadPanelFromMainMenu();
    const auto saved = saves().list().saveNames;
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(rowTexts(), saved);
    load(saved[0]);

    EXPECT_EQ(boardOf(game()), played);
    EXPECT_EQ(game().getDifficulty(), "Easy");
    EXPECT_EQ(game().getScoreInc(), 10);
    EXPECT_FALSE(game().getTrialTime());
    EXPECT_TRUE(game().getNewGame());
    EXPECT_TRUE(game().getIsInGame());
    EXPECT_FALSE(start->getInGameLoad());
    // A Single Player clock starts again from nothing.
    EXPECT_EQ(hud(), (std::vector<std::string>{"1", "0", "00:00"}));
    EXPECT_EQ(start->subviews().back().get(), &game());
    EXPECT_EQ(game().alpha(), 1.0f);
    // Once the panel has flipped away its views leave the screen.
    EXPECT_FALSE(inTree(*start->panelBackdrop()));
    EXPECT_FALSE(inTree(*start->panelCover()));
    EXPECT_FALSE(inTree(*start->panelTitle()));
    EXPECT_FALSE(inTree(*start->scrollView()));
    h.advance(1.0);
    EXPECT_EQ(time(), "00:01");
    // The difficulty menu waits at its first positions, as after a new game.
    EXPECT_EQ(entry(start->difficultyMenu(), 0).frame(), (ui::Rect{165, -160, 25, 100}));
}

TEST_F(LoadTest, LoadingFromTheOptionsMenuClosesItAndResumesTheTimeTrialClock) {
    write("Medium, TT", mediumGame(true, 0, 37));
    playNewGame(false, 0);
    openOptionsMenu();
    openLoadPanelFrom(*game().label3());
    EXPECT_TRUE(start->getInGameLoad());
    // Over a game the panel has no cover of its own, and the game behind takes no touch.
    EXPECT_FALSE(inTree(*start->panelCover()));
    h.doubleTap({8, 240}); // would close the options menu behind
    h.advance(1.0);
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);

    load("Medium, TT");
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(boardOf(game()), savedBoard(mediumGame(true, 0, 37)));
    EXPECT_TRUE(game().getTrialTime());
    EXPECT_FALSE(game().getNewGame());
    EXPECT_EQ(hud(), (std::vector<std::string>{"3", "40", "00:00"}));
    h.advance(1.0);
    EXPECT_EQ(time(), "00:36");

    // A restart of the loaded level starts from the time it was saved with.
    openOptionsMenu();
    h.tap(middleOf(*game().label1())); // "Restart"
    h.advance(1.0);
    EXPECT_EQ(time(), "00:36");
    EXPECT_EQ(game().getMinutes() * 60 + game().getSeconds(), 36);

    // The next level has the whole of the difficulty's time.
    solveByDragging(h, game());
    h.advance(1.1);
    h.tap(middleOf(*game().label2())); // "Next Level"
    h.advance(1.0);
    EXPECT_EQ(time(), "01:29");
}

TEST_F(LoadTest, ASaveOfAnEndedLevelGoesOnWithTheNextLevelOnTheDifficultysClockUnlessItWasLost) {
    auto ended = mediumGame(true, 0, 12);
    ended.IsGameEnded = true;
    ended.NumberOfNodes = 10;
    ended.xNodes.clear();
    ended.yNodes.clear();
    ended.Links.clear();
    // Its clock ran out with the links still crossing, as the automatic save of "You Lose!" stores it.
    auto lost = mediumGame(true, 0, 0);
    lost.IsGameEnded = true;
    // Solved on the tick that found 0:00: a win.
    auto wonAtZero = lost;
    wonAtZero.yNodes = {100, 100, 200, 200};
    const struct {
        const char* name;
        saves::SavedGameRecord record;
        std::size_t circles;
    } records[] = {{"ended", ended, 11}, {"lost", lost, 4}, {"won at zero", wonAtZero, 5}};
    for (const auto& record : records) write(record.name, record.record);

    playNewGame(true, 1);
    for (const auto& save : records) {
        SCOPED_TRACE(save.name);
        // The level before runs out of time; the save is loaded from its panel.
        h.advance(91.5);
        openLoadPanelFrom(*game().label4());
        load(save.name);
        EXPECT_EQ(game().collection().size(), save.circles);
        EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
        EXPECT_FALSE(game::Nod::getGameEnded());
        EXPECT_FALSE(game().getDead());
        EXPECT_EQ(game().getDifficulty(), "Medium");
        EXPECT_EQ(hud(), (std::vector<std::string>{"3", "40", "01:30"}));
        h.advance(1.0);
        EXPECT_EQ(time(), "01:29");
    }
}

TEST_F(LoadTest, ASinglePlayerGameLoadedAfterALostTimeTrialCountsItsNextWin) {
    write("Medium, SP", mediumGame(false, 3, 27));
    playNewGame(true, 2); // "Hard": sixty seconds
    h.advance(62.5);
    ASSERT_EQ(game().label1()->text(), "You Lose!");
    openLoadPanelFrom(*game().label4());
    load("Medium, SP");
    EXPECT_EQ(hud(), (std::vector<std::string>{"3", "40", "00:00"}));

    solveByDragging(h, game());
    h.advance(1.1);
    EXPECT_EQ(game().label1()->text(), "You Win!");
    EXPECT_EQ(game().dlevelLabel()->text(), "4");
    EXPECT_EQ(game().dscoreLabel()->text(), "60");
}

TEST_F(LoadTest, AGameLoadedAtItsLimitsIsWonSavedAndLoadedAgain) {
    // The largest level, score and increment, and two more circles at the ends of the range.
    auto limits = mediumGame(false, 0, 0);
    limits.Level = limits.Score = limits.ScoreInc = saves::kMaxProgress;
    limits.NumberOfNodes = 6;
    limits.xNodes.insert(limits.xNodes.end(), {0, core::kMaxCoordinate});
    limits.yNodes.insert(limits.yNodes.end(), {0, core::kMaxCoordinate});
    limits.Links.insert(limits.Links.end(), {{}, {}});
    write("limits", limits);
    toMainMenu();
    openLoadPanelFromMainMenu();
    load("limits");

    dragNodeTo(h, game(), 1, {100, 150}); // the two links cross no more
    h.advance(1.1);
    ASSERT_EQ(game().label1()->text(), "You Win!");
    const std::string limit = std::to_string(saves::kMaxProgress);
    EXPECT_EQ(game().dlevelLabel()->text(), limit);
    EXPECT_EQ(game().dscoreLabel()->text(), limit);
    h.tap(middleOf(*game().label3())); // "Save Game"
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->message(), "Game saved successfully!");
    h.dismissAlert();

    openLoadPanelFrom(*game().label4());
    const auto names = saves().list().saveNames;
    ASSERT_EQ(names.size(), 2u);
    ASSERT_EQ(names[1], "limits");
    load(names[0]);
    EXPECT_EQ(game().collection().size(), 7u);
    EXPECT_EQ(hud(), (std::vector<std::string>{limit, limit, "00:00"}));
}

TEST_F(LoadTest, ADamagedSaveIsRefusedWithAnAlertAndChangesNothing) {
    writeFile("broken.plist", "<?xml version=\"1.0\"?><plist><dict><key>Level</key>");
    playNewGame(true, 1);
    h.advance(2.0);
    openOptionsMenu();
    openLoadPanelFrom(*game().label3());
    const core::Board before = boardOf(game());

    h.tap(middleOf(row("broken")));
    h.advance(1.0);
    const ui::AlertView* alert = h.alert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Load Game");
    EXPECT_EQ(alert->message().rfind("\"broken\" cannot be loaded. ", 0), 0u) << alert->message();
    EXPECT_GT(alert->message().size(), std::string("\"broken\" cannot be loaded. ").size());
    h.dismissAlert();

    // The list is still open over the options menu, and the game as it was, its clock held.
    EXPECT_EQ(start->scrollView()->alpha(), 1.0f);
    EXPECT_TRUE(inTree(*start->scrollView()));
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    EXPECT_EQ(boardOf(game()), before);
    EXPECT_EQ(hud(), (std::vector<std::string>{"1", "0", "01:28"}));
    EXPECT_EQ(game().getDifficulty(), "Medium");
    EXPECT_TRUE(game().getTrialTime());

    // Back to the options menu, then to the game: its clock goes on from where it was.
    closePanel();
    h.doubleTap({8, 240});
    h.advance(1.5);
    EXPECT_EQ(time(), "01:27");
}

TEST_F(LoadTest, APanelOpenedWhileTheLastOneFlipsAwayKeepsItsViews) {
    toMainMenu();
    choose(entry(start->mainMenu(), 2)); // "Tutorial"
    h.advance(kPanelOpens - 1.0);
    h.tap(middleOf(*start->panelExit())); // "Back to menu": the backdrop flips away for 0.8 s
    h.advance(0.2);
    openLoadPanelFromMainMenu();
    h.advance(1.0);
    for (const ui::View* view : std::initializer_list<const ui::View*>{
             start->panelCover().get(), start->panelBackdrop().get(), start->panelTitle().get(),
             start->scrollView().get(), start->panelExit().get()}) {
        EXPECT_TRUE(inTree(*view));
        EXPECT_EQ(view->alpha(), 1.0f);
    }
    EXPECT_FALSE(inTree(*start->textView()));
}

} // namespace
} // namespace testkit

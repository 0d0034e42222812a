#include "start_screen_fixture.h"

#include <fstream>

namespace testkit {
namespace {

namespace fs = std::filesystem;

// A game on "Medium", level 3, score 40, on a board of two crossed links.
saves::SavedGameRecord mediumGame(bool timeTrial, int minutes, int seconds, bool ended = false) {
    return {.ScoreInc = 20, .Difficulty = "Medium", .Level = 3, .Score = 40, .TimeTrial = timeTrial,
            .NumberOfNodes = 4, .xNodes = {100, 200, 100, 200}, .yNodes = {100, 200, 200, 100},
            .Links = {{1}, {}, {3}, {}}, .IsGameEnded = ended, .Minutes = minutes, .Seconds = seconds};
}

class LoadTest : public StartScreenTest {
protected:
    // Each file a second newer than the last, as the file system may not tell quick writes apart.
    void write(const std::string& name, const saves::SavedGameRecord& record) {
        ASSERT_EQ(saves().write(name, record), std::nullopt);
        fs::last_write_time(saves().fileFor(name), fs::file_time_type::clock::now() - std::chrono::seconds(600 - ++writes_));
    }
    std::vector<const widgets::UICustomLabel*> rows() const {
        std::vector<const widgets::UICustomLabel*> all;
        for (const auto& view : start->scrollView()->subviews()) all.push_back(dynamic_cast<const widgets::UICustomLabel*>(view.get()));
        return all;
    }
    // Taps a row and lets the game screen flip in.
    void load(std::size_t row) { choose(*rows().at(row), kGameFlip); }
    // "Load Game" on the options menu or the end-of-level panel.
    void openLoadPanelFrom(const widgets::UICustomLabel& loadEntry) {
        ASSERT_EQ(loadEntry.text(), "Load Game");
        choose(loadEntry, kPanelOpens);
    }
    void openOptionsMenu() {
        h.doubleTap({8, 240}); // on the heads-up strip, where no circle goes
        h.advance(1.1);
    }
    int writes_ = 0;
};

TEST_F(LoadTest, TheListShowsTheFolderSavesAndLoadsOneAtTheLimitsOfProgress) {
    fs::remove_all(saveFolder.path());
    h.advance(kIntro + kSlide + 0.1);
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->message().rfind("The saved games cannot be listed: ", 0), 0u) << h.alert()->message();
    h.dismissAlert();
    EXPECT_TRUE(rows().empty());
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);
    EXPECT_EQ(start->scrollView()->superview(), nullptr);

    // The largest level, score and increment, then fourteen more: the fifteenth row makes the list scroll.
    fs::create_directories(saveFolder.path());
    auto limits = mediumGame(false, 0, 0);
    limits.Level = limits.Score = limits.ScoreInc = saves::kMaxProgress;
    write("limits", limits);
    for (int i = 1; i <= 14; ++i) write("game " + std::to_string(i), mediumGame(false, 0, 0));
    choose(entry(start->mainMenu(), 1), kPanelOpens);
    ASSERT_EQ(rows().size(), 15u);
    for (std::size_t k = 0; k < 15; ++k) EXPECT_EQ(rows()[k]->text(), saves().list().saveNames[k]);
    EXPECT_EQ(rows()[14]->frame(), (ui::Rect{0, 210, 300, 15}));
    EXPECT_EQ(start->scrollView()->contentSize(), (ui::Size{320, 225}));
    h.drag(Harness::path(middleOf(*rows()[12]), middleOf(*rows()[8])));
    load(14);
    dragNodeTo(h, game(), 1, {100, 150}); // the two links cross no more
    h.advance(1.1);
    ASSERT_EQ(game().label1()->text(), "You Win!");
    const std::string limit = std::to_string(saves::kMaxProgress);
    EXPECT_EQ(hud(), (Texts{limit, limit, "00:00"}));
}

TEST_F(LoadTest, AGameSavedQuitAndLoadedFromTheMainMenuComesBackAsItWas) {
    playNewGame(false, 0);
    const ui::Point from = game().collection().front()->center();
    dragNodeTo(h, game(), 0, {from.x < 160 ? from.x + 60 : from.x - 60, from.y});
    h.advance(3.0);
    const core::Board played = boardOf(game());
    openOptionsMenu();
    choose(*game().label2()); // "Save Game"
    h.dismissAlert();
    choose(*game().label5(), 1.0 + kSlide); // "Quit to main"

    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    ASSERT_EQ(rows().size(), 1u);
    load(0);
    EXPECT_EQ(boardOf(game()), played);
    EXPECT_EQ(game().getDifficulty(), "Easy");
    EXPECT_TRUE(game().getNewGame());
    EXPECT_FALSE(start->getInGameLoad());
    EXPECT_EQ(hud(), (Texts{"1", "0", "00:00"})); // a Single Player clock starts again from nothing
    EXPECT_EQ(start->subviews().back().get(), &game());
    for (const ui::View* view : std::initializer_list<const ui::View*>{
             start->panelBackdrop().get(), start->panelCover().get(), start->scrollView().get()})
        EXPECT_EQ(view->superview(), nullptr);
    h.advance(1.0);
    EXPECT_EQ(hud()[2], "00:01");
    solveByDragging(h, game());
    EXPECT_EQ(hud()[1], "10");
}

TEST_F(LoadTest, LoadingOverTheOptionsMenuResumesTheTimeTrialUnlessTheSaveIsDamaged) {
    std::ofstream(saveFolder.path() / "broken.plist") << "<?xml version=\"1.0\"?><plist><dict><key>Level</key>";
    write("Medium, TT", mediumGame(true, 0, 37));
    playNewGame(false, 0);
    openOptionsMenu();
    openLoadPanelFrom(*game().label3());
    EXPECT_TRUE(start->getInGameLoad());
    // Over a game the panel has no cover of its own, and the game behind takes no touch.
    EXPECT_EQ(start->panelCover()->superview(), nullptr);
    openOptionsMenu();
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);

    const core::Board before = boardOf(game());
    load(0); // "broken", the newest: refused, and the list stays open
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->message().rfind("\"broken\" cannot be loaded. ", 0), 0u) << h.alert()->message();
    h.dismissAlert();
    EXPECT_EQ(start->scrollView()->alpha(), 1.0f);
    EXPECT_EQ(boardOf(game()), before);

    load(1);
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(boardOf(game()), *core::rebuildBoard({{100, 200, 100, 200}, {100, 200, 200, 100}, {{1}, {}, {3}, {}}}, 4).board);
    EXPECT_EQ(hud(), (Texts{"3", "40", "00:00"}));
    h.advance(1.0);
    EXPECT_EQ(hud()[2], "00:36");
    // A restart of the loaded level starts from the time it was saved with; the next level has the whole of it.
    openOptionsMenu();
    choose(*game().label1()); // "Restart"
    EXPECT_EQ(hud()[2], "00:36");
    solveByDragging(h, game());
    h.advance(1.1);
    choose(*game().label2()); // "Next Level"
    EXPECT_EQ(hud(), (Texts{"4", "60", "01:29"}));
}

TEST_F(LoadTest, ASaveOfAnEndedLevelGoesOnWithTheNextLevelUnlessItWasLost) {
    auto ended = mediumGame(true, 0, 12, true);
    ended.NumberOfNodes = 10;
    ended.xNodes = ended.yNodes = {};
    ended.Links = {};
    // Its clock ran out with the links still crossing, as the automatic save of "You Lose!" stores it.
    const auto lost = mediumGame(true, 0, 0, true);
    // Solved on the tick that found 0:00: a win.
    auto wonAtZero = lost;
    wonAtZero.yNodes = {100, 100, 200, 200};
    const struct {
        const char* name;
        saves::SavedGameRecord record;
        std::size_t circles;
    } records[] = {{"ended", ended, 11}, {"lost", lost, 4}, {"won at zero", wonAtZero, 5}};
    for (const auto& record : records) write(record.name, record.record);
    write("Single Player", mediumGame(false, 3, 27));

    playNewGame(true, 1);
    for (std::size_t i = 0; i < 4; ++i) {
        // The level before runs out of time; the save is loaded from its panel.
        h.advance(91.5);
        ASSERT_EQ(game().label1()->text(), "You Lose!");
        openLoadPanelFrom(*game().label4());
        load(3 - i);
        if (i == 3) break;
        EXPECT_EQ(game().collection().size(), records[i].circles);
        EXPECT_FALSE(game::Nod::getGameEnded());
        EXPECT_EQ(hud(), (Texts{"3", "40", "01:30"}));
        h.advance(1.0);
        EXPECT_EQ(hud()[2], "01:29");
    }
    // A lost Time Trial left behind keeps no win of the game loaded from counting.
    solveByDragging(h, game());
    h.advance(1.1);
    EXPECT_EQ(hud()[0], "4");
    EXPECT_EQ(hud()[1], "60");
}

} // namespace
} // namespace testkit

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
    void write(const std::string& name, const saves::SavedGameRecord& record) {
        ASSERT_EQ(saves().write(name, record), std::nullopt);
        age(saves().fileFor(name));
    }
    // Each file a second newer than the last, all older than the game's own saves, as the
    // file system may not tell quick writes apart.
    void age(const fs::path& file) {
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::seconds(600 - ++writes_));
    }
    const widgets::UICustomLabel& row(std::size_t i) const {
        return dynamic_cast<const widgets::UICustomLabel&>(*start->scrollView()->subviews().at(i));
    }
    // Taps a row and lets the game screen flip in.
    void load(std::size_t i) { choose(row(i), kGameFlip); }
    void openOptionsMenu() {
        h.doubleTap({8, 240}); // on the heads-up strip, where no circle goes
        h.advance(1.1);
    }
    int writes_ = 0;
};

TEST_F(LoadTest, TheListShowsTheFolderSavesAndLoadsOneAtTheLimitsOfProgress) {
    fs::remove_all(saveFolder.path());
    toMainMenu();
    choose(entry(start->mainMenu(), 1), kPanelOpens); // "Load Game"
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->message().rfind("The saved games cannot be listed: ", 0), 0u) << h.alert()->message();
    h.dismissAlert();
    EXPECT_TRUE(start->scrollView()->subviews().empty());
    h.pressKey(ui::Key::Escape);
    h.advance(1.0);

    // Fourteen rows fill the list, a fifteenth makes it scroll. The newest comes first.
    fs::create_directories(saveFolder.path());
    for (int i = 1; i <= 14; ++i) write("game " + std::to_string(i), mediumGame(false, 0, 0));
    auto limits = mediumGame(false, 0, 0);
    limits.Level = limits.Score = limits.ScoreInc = saves::kMaxProgress;
    write("limits", limits);
    choose(entry(start->mainMenu(), 1), kPanelOpens);
    EXPECT_EQ(row(14).text(), "game 1");
    EXPECT_EQ(row(14).frame(), (ui::Rect{0, 210, 300, 15}));
    EXPECT_EQ(start->scrollView()->contentSize(), (ui::Size{320, 225}));
    load(0);
    dragNodeTo(h, game(), 1, {100, 150}); // the two links cross no more
    h.advance(1.1);
    const std::string limit = std::to_string(saves::kMaxProgress);
    EXPECT_EQ(hud()[0], limit);
    EXPECT_EQ(hud()[1], limit);
}

TEST_F(LoadTest, GamesLoadedOverTheOptionsMenuResumeAsSavedUnlessTheSaveIsDamaged) {
    write("Medium, TT", mediumGame(true, 0, 37));
    std::ofstream(saveFolder.path() / "broken.plist") << "<?xml version=\"1.0\"?><plist><dict><key>Level</key>";
    age(saveFolder.path() / "broken.plist");
    playNewGame(false, 0);
    const ui::Point from = game().collection().front()->center();
    dragNodeTo(h, game(), 0, {from.x < 160 ? from.x + 60 : from.x - 60, from.y});
    const core::Board played = boardOf(game());
    openOptionsMenu();
    choose(*game().label2()); // "Save Game": the newest row
    h.dismissAlert();
    choose(*game().label3(), kPanelOpens); // "Load Game"
    // Over a game the panel has no cover of its own, and the game behind takes no touch.
    EXPECT_EQ(start->panelCover()->superview(), nullptr);
    openOptionsMenu();
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    load(1); // "broken": refused, the list stays open
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->message().rfind("\"broken\" cannot be loaded. ", 0), 0u) << h.alert()->message();
    h.dismissAlert();
    EXPECT_EQ(start->scrollView()->alpha(), 1.0f);
    EXPECT_EQ(boardOf(game()), played);

    load(2); // "Medium, TT": the menu closes, the clock goes on from the time saved
    EXPECT_EQ(game().inGameMenu()->alpha(), 0.0f);
    EXPECT_EQ(hud(), (Texts{"3", "40", "00:00"}));
    h.advance(1.0);
    EXPECT_EQ(hud()[2], "00:36");
    // A restart of the loaded level starts from the time saved; the next level has the whole of the difficulty's.
    openOptionsMenu();
    choose(*game().label1()); // "Restart"
    EXPECT_EQ(hud()[2], "00:36");
    solveByDragging(h, game());
    h.advance(1.1);
    choose(*game().label2()); // "Next Level"
    EXPECT_EQ(hud(), (Texts{"4", "60", "01:29"}));

    // The game saved at first comes back as it was, its Single Player clock counting from nothing.
    openOptionsMenu();
    choose(*game().label3(), kPanelOpens);
    load(0);
    EXPECT_EQ(boardOf(game()), played);
    EXPECT_EQ(hud(), (Texts{"1", "0", "00:00"}));
    h.advance(1.0);
    EXPECT_EQ(hud()[2], "00:01");
    solveByDragging(h, game());
    EXPECT_EQ(hud()[1], "10");
}

TEST_F(LoadTest, ASaveOfAnEndedLevelGoesOnWithTheNextLevelUnlessItWasLost) {
    auto ended = mediumGame(true, 0, 12, true);
    ended.NumberOfNodes = 10;
    ended.xNodes = ended.yNodes = {};
    ended.Links = {};
    // Its clock ran out with the links still crossing, as the automatic save of "You Lose!" stores it.
    const auto lost = mediumGame(true, 0, 0, true);
    auto wonAtZero = lost; // solved on the tick that found 0:00
    wonAtZero.yNodes = {100, 100, 200, 200};
    write("Single Player", mediumGame(false, 3, 27));
    const std::pair<saves::SavedGameRecord, std::size_t> records[] = {{ended, 11}, {lost, 4}, {wonAtZero, 5}};
    for (const auto& [record, circles] : records) write(std::to_string(circles), record);

    playNewGame(true, 1);
    for (std::size_t i = 0; i < 4; ++i) {
        // The level before runs out of time; the save is loaded from its panel.
        h.advance(91.5);
        ASSERT_EQ(game().label1()->text(), "You Lose!");
        choose(*game().label4(), kPanelOpens); // "Load Game"
        load(i);
        if (i == 3) break;
        EXPECT_EQ(game().collection().size(), records[2 - i].second);
        EXPECT_FALSE(game::Nod::getGameEnded());
        EXPECT_EQ(hud(), (Texts{"3", "40", "01:30"}));
        h.advance(1.0);
        EXPECT_EQ(hud()[2], "01:29");
    }
    // A lost Time Trial left behind keeps no win of the game loaded from counting.
    solveByDragging(h, game());
    EXPECT_EQ(hud()[1], "60");
}

} // namespace
} // namespace testkit

#include "game_screen_fixture.h"

#include "platform/image_view.h"
#include "platform/timer.h"
#include "saves/file_name.h"
#include "support/folder_rights.h"
#include "support/scoped_environment.h"

#include <fstream>

namespace testkit {
namespace {

constexpr ui::Point kBoard{250, 400};

class SaveGameTest : public GameScreenTest {
protected:
    saves::SaveFolder folder() const { return saves::SaveFolder(saveFolder.path()); }
    std::vector<std::string> saved() const { return folder().list().saveNames; }
    // The name the game gives a save at this moment, in the locale the test sets.
    std::string nameFor(saves::SaveKind kind, int level, const char* difficulty, bool timeTrial) {
        return saves::saveName(kind, saves::dateTimeText(random.time(), "en_US.UTF-8"), level, difficulty, timeTrial);
    }
    void openOptionsMenu() {
        h.doubleTap(kBoard);
        h.advance(kMenuOpens);
    }
    // The alert's title, message and button, or nothing when none shows.
    std::vector<std::string> alertTexts() {
        const ui::AlertView* alert = h.alert();
        if (!alert) return {};
        return {alert->title(), alert->message(), alert->buttonTitle()};
    }

    ScopedEnvironment locale{"LC_ALL", "en_US.UTF-8"};
    const std::vector<std::string> kSaved{"Save Game", "Game saved successfully!", "OK"};
};

TEST_F(SaveGameTest, SaveGameInTheOptionsMenuWritesTheGameAsItStandsAndConfirms) {
    game.Score = 30;
    startEasySinglePlayer();
    useCrossedBoard();
    h.advance(3.0);
    openOptionsMenu();
    ASSERT_EQ(screen->label2()->text(), "Save Game");

    tapLabel(*screen->label2());
    EXPECT_EQ(alertTexts(), kSaved);
    const std::string name = nameFor(saves::SaveKind::OnRequest, 1, "Easy", false);
    ASSERT_EQ(saved(), std::vector<std::string>{name});
    const auto read = folder().read(name);
    ASSERT_TRUE(read.ok()) << read.problem;
    const saves::SavedGameRecord expected{.ScoreInc = 10, .Difficulty = "Easy", .Level = 1, .Score = 30,
                                          .TimeTrial = false, .NumberOfNodes = 4,
                                          .xNodes = {100, 200, 100, 200}, .yNodes = {100, 200, 200, 100},
                                          .Links = {{1}, {}, {3}, {}}, .IsGameEnded = false,
                                          .Minutes = 0, .Seconds = 3};
    EXPECT_EQ(*read.record, expected);

    // Saving changed nothing: the clock still runs once the menu is gone.
    EXPECT_TRUE(screen->timer()->isValid());
    EXPECT_EQ(screen->inGameMenu()->alpha(), 1.0f);

    // While the alert shows only its button takes touches: "Restart" does nothing.
    const auto board = screen->collection();
    tapLabel(*screen->label1());
    EXPECT_EQ(screen->collection(), board);
    h.dismissAlert();
    EXPECT_EQ(h.alert(), nullptr);
    h.doubleTap(kBoard);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "00:04");
}

TEST_F(SaveGameTest, CentresAreSavedTruncatedTowardZero) {
    startEasySinglePlayer();
    useCrossedBoard();
    // Moved, the links still cross, so the menu opens.
    screen->collection()[0]->setCoord({123.9f, 45.2f});
    screen->collection()[2]->setCoord({3.7f, 210.5f});
    openOptionsMenu();
    tapLabel(*screen->label2());
    const auto read = folder().read(saved().at(0));
    ASSERT_TRUE(read.ok()) << read.problem;
    EXPECT_EQ(read.record->xNodes, (std::vector<std::int32_t>{123, 200, 3, 200}));
    EXPECT_EQ(read.record->yNodes, (std::vector<std::int32_t>{45, 200, 210, 100}));
}

TEST_F(SaveGameTest, SaveGameOnTheWinPanelSavesTheEndedLevelWithTheNextLevelsNumbers) {
    startGame(10, 20, "Medium", true, 1, 30);
    useSolvedBoard();
    h.advance(5.0);
    h.tap(centreOf(0)); // ends the level
    h.advance(kMenuOpens);
    ASSERT_EQ(screen->label3()->getLabelId(), "save_game");

    tapLabel(*screen->label3());
    EXPECT_EQ(alertTexts(), kSaved);
    const auto read = folder().read(nameFor(saves::SaveKind::OnRequest, 2, "Medium", true));
    ASSERT_TRUE(read.ok()) << read.problem;
    EXPECT_TRUE(read.record->IsGameEnded);
    EXPECT_EQ(read.record->Level, 2);
    EXPECT_EQ(read.record->Score, 20);
    EXPECT_TRUE(read.record->TimeTrial);
    EXPECT_EQ(read.record->Minutes, 1);
    EXPECT_EQ(read.record->Seconds, 25);
}

TEST_F(SaveGameTest, TwoSavesInOneMinuteLeaveOneFileAndTheNextMinuteANewOne) {
    startEasySinglePlayer();
    useCrossedBoard();
    random.setTime(1'700'000'400); // 22:20:00 UTC, the start of a minute in every zone
    openOptionsMenu();
    tapLabel(*screen->label2());
    h.dismissAlert();
    random.setTime(1'700'000'459);
    tapLabel(*screen->label2());
    EXPECT_EQ(alertTexts(), kSaved);
    ASSERT_EQ(saved().size(), 1u);

    h.dismissAlert();
    random.setTime(1'700'000'460);
    tapLabel(*screen->label2());
    EXPECT_EQ(saved().size(), 2u);
}

TEST_F(SaveGameTest, ASaveIntoAFolderThatCannotBeWrittenSaysSoAndChangesNothing) {
    startEasySinglePlayer();
    useCrossedBoard();
    h.advance(2.0);
    openOptionsMenu();
    const auto board = screen->collection();
    {
        FolderRights readOnly(saveFolder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        tapLabel(*screen->label2());
    }
    EXPECT_EQ(alertTexts(), (std::vector<std::string>{
                                "Save Game", "The game could not be saved (creating the file: Permission denied).", "OK"}));
    EXPECT_TRUE(saved().empty());
    EXPECT_TRUE(std::filesystem::is_empty(saveFolder.path()));
    EXPECT_EQ(screen->collection(), board);
    EXPECT_TRUE(screen->timer()->isValid());
    EXPECT_EQ(screen->getLevel(), 1);

    // A double click on "OK" closes the alert and no more: "Quit to main" beneath takes neither click.
    h.doubleTap(middleOf(h.alert()->button()));
    h.advance(ui::AlertView::kClosing);
    EXPECT_EQ(h.alert(), nullptr);
    EXPECT_TRUE(screen->getIsInGame());

    // Once the folder can be written again, saving works.
    tapLabel(*screen->label2());
    EXPECT_EQ(alertTexts(), kSaved);
    EXPECT_EQ(saved().size(), 1u);
}

TEST_F(SaveGameTest, SaveOnExitUsesTheAutoNameShowsNothingAndAtZeroLosesTheTimeTrial) {
    startGame(14, 25, "Hard", true, 0, 1);
    useCrossedBoard();
    h.advance(1.0);
    ASSERT_EQ(time(), "00:00");
    ASSERT_FALSE(screen->getDead());

    screen->SaveOnExit();
    EXPECT_EQ(h.alert(), nullptr);
    const std::string name = nameFor(saves::SaveKind::AtExit, 1, "Hard", true);
    EXPECT_NE(name.find("]-auto, LVL 1, Hard, TT"), std::string::npos);
    const auto read = folder().read(name);
    ASSERT_TRUE(read.ok()) << read.problem;
    EXPECT_TRUE(read.record->IsGameEnded);
    EXPECT_EQ(read.record->Minutes, 0);
    EXPECT_EQ(read.record->Seconds, 0);
    // The end-of-level test found the level lost.
    EXPECT_TRUE(screen->getDead());
    EXPECT_FALSE(screen->timer()->isValid());
}

TEST_F(SaveGameTest, AFolderDeletedMeanwhileIsMadeAgainAndAFailedSaveOnExitIsReportedOnStandardError) {
    startEasySinglePlayer();
    std::filesystem::remove(saveFolder.path());
    screen->SaveOnExit();
    EXPECT_EQ(saved().size(), 1u);

    std::filesystem::remove_all(saveFolder.path());
    std::ofstream(saveFolder.path()) << "a file where the folder was";
    testing::internal::CaptureStderr();
    screen->SaveOnExit();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lirvo: the game could not be saved in " + saveFolder.path().string()
                  + " (creating the folder: Not a directory)\n");
    EXPECT_EQ(h.alert(), nullptr);
}

} // namespace
} // namespace testkit

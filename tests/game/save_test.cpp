#include "game_screen_fixture.h"

#include "saves/file_name.h"
#include "support/folder_rights.h"
#include "support/scoped_environment.h"

#include <fstream>

namespace testkit {
namespace {

class SaveGameTest : public GameScreenTest {
protected:
    saves::SaveFolder folder() const { return saves::SaveFolder(saveFolder.path()); }
    std::vector<std::string> saved() const { return folder().list().saveNames; }
    saves::SavedGameRecord read(saves::SaveKind kind, int level, const char* difficulty, bool timeTrial) {
        const auto name = saves::saveName(kind, saves::dateTimeText(random.time(), "en_US.UTF-8"), level, difficulty, timeTrial);
        const auto result = folder().read(name);
        EXPECT_TRUE(result.ok()) << name << ": " << result.problem;
        return result.ok() ? *result.record : saves::SavedGameRecord{};
    }
    std::string alertMessage() { return h.alert() ? h.alert()->message() : "(no alert)"; }

    ScopedEnvironment locale{"LC_ALL", "en_US.UTF-8"};
};

TEST_F(SaveGameTest, SaveGameWritesTheGameAsItStandsOncePerMinuteAndSaysWhenItCannot) {
    startEasySinglePlayer();
    useCrossedBoard();
    random.setTime(1'700'000'400); // the start of a minute in every zone
    screen->setCurrentScore(30);
    h.advance(3.0);
    toggleMenu();
    tapLabel(*screen->label2()); // "Save Game"
    EXPECT_EQ(alertMessage(), "Game saved successfully!");
    const saves::SavedGameRecord expected{.ScoreInc = 10, .Difficulty = "Easy", .Level = 1, .Score = 30,
                                          .TimeTrial = false, .NumberOfNodes = 4,
                                          .xNodes = {100, 200, 100, 200}, .yNodes = {100, 200, 200, 100},
                                          .Links = {{1}, {}, {3}, {}}, .IsGameEnded = false,
                                          .Minutes = 0, .Seconds = 3};
    EXPECT_EQ(read(saves::SaveKind::OnRequest, 1, "Easy", false), expected);
    h.dismissAlert();

    random.setTime(1'700'000'459); // the same minute: the same file, written anew
    screen->setCurrentScore(50);
    tapLabel(*screen->label2());
    h.dismissAlert();
    ASSERT_EQ(saved().size(), 1u);
    EXPECT_EQ(read(saves::SaveKind::OnRequest, 1, "Easy", false).Score, 50);

    random.setTime(1'700'000'460);
    {
        FolderRights readOnly(saveFolder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        tapLabel(*screen->label2());
    }
    EXPECT_EQ(alertMessage(), "The game could not be saved (creating the file: Permission denied).");
    h.dismissAlert();
    EXPECT_EQ(saved().size(), 1u);
    tapLabel(*screen->label2());
    h.dismissAlert();
    EXPECT_EQ(saved().size(), 2u);

    // Saving changed nothing: the clock goes on once the menu is gone.
    h.doubleTap(kBoard);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "00:04");
}

TEST_F(SaveGameTest, AnEndedLevelIsSavedWithTheNextLevelsNumbers) {
    startGame(10, 20, "Medium", true, 1, 30);
    useSolvedBoard();
    h.advance(5.0);
    h.tap(centreOf(0)); // ends the level
    h.advance(kMenuOpens);
    tapLabel(*screen->label3());
    const auto record = read(saves::SaveKind::OnRequest, 2, "Medium", true);
    EXPECT_TRUE(record.IsGameEnded);
    EXPECT_EQ(record.Score, 20);
    EXPECT_EQ(record.Seconds, 25);
}

TEST_F(SaveGameTest, SaveOnExitShowsNothingAndAtZeroLosesTheTimeTrial) {
    startGame(14, 25, "Hard", true, 0, 1);
    useCrossedBoard();
    h.advance(1.0);
    std::filesystem::remove(saveFolder.path()); // deleted meanwhile: made again
    screen->SaveOnExit();
    EXPECT_EQ(h.alert(), nullptr);
    EXPECT_TRUE(read(saves::SaveKind::AtExit, 1, "Hard", true).IsGameEnded);
    EXPECT_TRUE(screen->getDead());
    EXPECT_FALSE(screen->timer()->isValid());

    std::filesystem::remove_all(saveFolder.path());
    std::ofstream(saveFolder.path()) << "a file where the folder was";
    testing::internal::CaptureStderr();
    screen->SaveOnExit();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "lirvo: the game could not be saved in " +
                                                          saveFolder.path().string() +
                                                          " (creating the folder: Not a directory)\n");
}

} // namespace
} // namespace testkit

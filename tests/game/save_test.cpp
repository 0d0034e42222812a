#include "game_screen_fixture.h"

#include "support/folder_rights.h"

#include <fstream>

namespace testkit {
namespace {

TEST_F(GameScreenTest, SaveGameWritesTheGameAsItStandsAndSaysWhenItCannot) {
    game.Score = 30;
    startGame(7, 10, "Easy", false);
    useCrossedBoard();
    h.advance(3.0);
    toggleMenu();
    {
        FolderRights readOnly(saveFolder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        tapLabel(*screen->label2()); // "Save Game"
    }
    EXPECT_EQ(h.alert()->message(), "The game could not be saved (creating the file: Permission denied).");
    h.dismissAlert();
    std::filesystem::remove(saveFolder.path()); // deleted meanwhile: made again
    tapLabel(*screen->label2());
    EXPECT_EQ(h.alert()->message(), "Game saved successfully!");
    h.dismissAlert();
    ASSERT_EQ(saved().size(), 1u);
    EXPECT_TRUE(saved()[0].ends_with("], LVL 1, Easy, SP")) << saved()[0];
    const saves::SavedGameRecord expected{.ScoreInc = 10, .Difficulty = "Easy", .Level = 1, .Score = 30,
        .TimeTrial = false, .NumberOfNodes = 4, .xNodes = {100, 200, 100, 200}, .yNodes = {100, 200, 200, 100},
        .Links = {{1}, {}, {3}, {}}, .IsGameEnded = false, .Minutes = 0, .Seconds = 3};
    EXPECT_EQ(*saves::SaveFolder(saveFolder.path()).read(saved()[0]), expected);
    // Saving changed nothing: the clock goes on once the menu is gone.
    h.doubleTap(kBoard);
    h.advance(kMenuCloses + 1.0);
    EXPECT_EQ(time(), "00:04");

    // A save on exit that fails has only the standard error to tell.
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

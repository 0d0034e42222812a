#include "app/options.h"
#include "app/resource_folder.h"
#include "app/snapshot_command.h"
#include "app/touch_script.h"
#include "game/playing.h"
#include "platform/sdl/snapshot.h"
#include "saves/save_folder.h"
#include "start/start_screen_fixture.h"
#include "support/pixels.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

namespace {

namespace fs = std::filesystem;

core::Result<app::Options> parse(std::vector<const char*> argv) {
    argv.insert(argv.begin(), "lirvo");
    return app::parseOptions(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, ReadsTheOptionsOrSaysWhatIsWrong) {
    const auto window = parse({"--scale", "16", "--fullscreen", "--saves", "games"});
    EXPECT_TRUE(window && window->scale == 16 && window->fullscreen && window->saves == fs::path("games"))
        << window.reason();
    EXPECT_TRUE(parse({"--help"})->help && parse({"-h"})->help);
    const std::pair<std::vector<const char*>, const char*> refused[] = {
        {{"--scale"}, "--scale needs a value"},
        {{"--scale", "0"}, "--scale takes a whole number from 1 to 16"},
        {{"--scale", "2.5"}, "--scale takes a whole number from 1 to 16"},
        {{"--scale", "x"}, "--scale takes a whole number from 1 to 16"},
        {{"--scale", "17"}, "--scale takes a whole number from 1 to 16"},
        {{"--windowed"}, "unknown option --windowed"},
        {{"--play", "wait 1"}, "--play needs --snapshot"},
        {{"--snapshot", "a.png", "--fullscreen"}, "--fullscreen and --snapshot do not go together"},
    };
    for (const auto& [args, says] : refused) {
        const auto options = parse(args);
        EXPECT_TRUE(!options && options.reason().rfind(says, 0) == 0) << says << ": " << options.reason();
    }
}

TEST(CommandLine, ReadsTheTouchScriptOrNamesTheStepItCannotRead) {
    // Taps, double taps and waits are played in the snapshot below.
    const auto script = app::TouchScript::parse(" drag 100 100 200 210.5 ;;\n wait 1");
    ASSERT_TRUE(script && script->steps().size() == 2) << script.reason();
    const auto& drag = script->steps()[0];
    EXPECT_TRUE(drag.kind == app::TouchScript::Step::Kind::Drag && drag.from == (ui::Point{100, 100}) &&
                drag.to == (ui::Point{200, 210.5f}));
    EXPECT_TRUE(app::TouchScript::parse("")->steps().empty());
    for (const char* bad : {"jump 1 2", "tap 1", "tap 1 2 3", "wait", "wait -1", "drag 1 2 3", "tap 1 two"}) {
        const auto refused = app::TouchScript::parse(std::string("wait 1; ") + bad);
        EXPECT_TRUE(!refused && refused.reason().find(bad) != std::string::npos) << refused.reason();
    }
}

TEST(CommandLine, FindsThePicturesBesideTheProgramOrInTheInstalledDataFolder) {
    const testkit::TempFolder root;
    const fs::path build = root.path() / "build", installed = root.path() / "prefix" / "share" / "lirvo" / "resources";
    EXPECT_FALSE(app::findResourceFolder(build));
    fs::create_directories(root.path() / "prefix" / "bin");
    for (const fs::path& folder : {build / "resources", installed}) {
        fs::create_directories(folder);
        std::ofstream(folder / "touchCircle.png") << "png";
    }
    EXPECT_EQ(app::findResourceFolder(build), build / "resources");
    EXPECT_EQ(app::findResourceFolder(root.path() / "prefix" / "bin"), installed);
}

TEST(SnapshotCommand, DrawsTheScreenAfterTheScriptAndEndsNoGame) {
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    const testkit::TempFolder folder;
    saves::SaveFolder saves(folder.path());
    const std::string file = (folder.path() / "menu.png").string();
    // Landscape points: after the intro "New Game", "Single Player" and "Easy" all lie at (420, 178);
    // then a double tap on the top strip, where no circle goes, opens the options menu.
    const char* play =
        "wait 9.4; tap 420 178; wait 1; tap 420 178; wait 1; drag 420 178 424 180; wait 1; doubletap 240 8; wait 1.5";
    auto options = parse({"--snapshot", file.c_str(), "--play", play, "--scale", "2"});
    std::ostringstream errors;
    ASSERT_EQ(app::takeSnapshot(*options, saves, errors), 0) << errors.str();
    const ui::sdl::SurfacePtr picture(IMG_Load(file.c_str()));
    ASSERT_TRUE(picture && picture->w == 960 && picture->h == 640);
    // The options menu's card, its paper between the outline and the entries.
    EXPECT_LE(testkit::colourDistance(testkit::pixelAt(*picture, 2 * 170, 2 * 235), {246, 244, 232}), 12);
    options->play = "wait 9.4; hop 1 2";
    EXPECT_EQ(app::takeSnapshot(*options, saves, errors), 2);
    EXPECT_NE(errors.str().find("hop 1 2"), std::string::npos);
    EXPECT_TRUE(saves.list().saveNames.empty());
}

// Where the program is when its window is closed; the auto-saves made, and whether their level had ended.
enum class Place { Menu, Game, WinPanel, SavedGamesOverAGame, MenuAfterAGame };
class ProgramEnding : public testkit::StartScreenTest,
                      public ::testing::WithParamInterface<std::tuple<Place, std::size_t, bool>> {};

TEST_P(ProgramEnding, SavesTheGameInPlayOnce) {
    const auto [place, autoSaves, levelEnded] = GetParam();
    place == Place::Menu ? toMainMenu() : playNewGame(false, 0);
    if (place == Place::WinPanel) testkit::solveByDragging(h, game());
    if (place == Place::SavedGamesOverAGame || place == Place::MenuAfterAGame) {
        h.doubleTap({8, 240});
        h.advance(1.1);
        h.tap(testkit::middleOf(place == Place::MenuAfterAGame ? *game().label5()
                                                               : *game().label3())); // "Quit to main", "Load Game"
        // Where the flip to the menu narrows the screen, the window shows its colour, not black.
        h.advance(0.25);
        const testkit::Rgb side = testkit::pixelAt(*ui::sdl::renderLandscape(h.window(), {320, 480}, 1), 240, 310);
        EXPECT_TRUE(place != Place::MenuAfterAGame || side == (testkit::Rgb{255, 255, 255})) << side;
    }
    h.advance(place == Place::WinPanel ? 1.1 : 2.0); // the win panel stays a second
    EXPECT_EQ(start->scrollView() && start->scrollView()->alpha() == 1.0f, place == Place::SavedGamesOverAGame);
    ASSERT_TRUE(h.closeWindow());
    const auto names = saves().list().saveNames;
    ASSERT_EQ(names.size(), autoSaves);
    for (const auto& name : names) {
        EXPECT_TRUE(name.find("]-auto, LVL ") != std::string::npos && name.ends_with(", Easy, SP")) << name;
        EXPECT_EQ(saves().read(name)->IsGameEnded, levelEnded);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowClosed, ProgramEnding,
                         ::testing::Values(std::tuple{Place::Menu, 0u, false}, std::tuple{Place::Game, 1u, false},
                                           std::tuple{Place::WinPanel, 1u, true},
                                           std::tuple{Place::SavedGamesOverAGame, 1u, false},
                                           std::tuple{Place::MenuAfterAGame, 0u, false}));

// A game that cannot be saved as the program ends is told: closing the
// window asks, and the player may go back to the game; a signal does not
// wait, and fails the exit.
class ProgramEnd : public testkit::StartScreenTest {
protected:
    // A game whose save cannot be kept: a file stands where its folder was.
    void playUnsaveableGame() {
        playNewGame(false, 0);
        fs::remove_all(saveFolder.path());
        std::ofstream(saveFolder.path()) << "a file where the folder was";
    }
    static constexpr const char* kWhy = "could not be saved (creating the folder: Not a directory)";
};

TEST_F(ProgramEnd, AClosingPlayerIsAskedAboutAGameThatCannotBeSavedAndMayGoBackToIt) {
    playUnsaveableGame();
    EXPECT_FALSE(h.closeWindow());
    EXPECT_FALSE(h.closeWindow()); // asked once, however often the window is closed
    h.advance(1.0);
    ASSERT_NE(h.alert(), nullptr);
    EXPECT_EQ(h.alert()->message(), std::string("The game ") + kWhy + ". Quit without saving it?");
    EXPECT_EQ(h.alert()->superview()->subviews().back().get(), h.alert());
    // The game waits under its options menu, its clock stopped.
    EXPECT_EQ(game().inGameMenu()->alpha(), 1.0f);
    const std::string clock = hud()[2];
    h.advance(3.0);
    EXPECT_EQ(hud()[2], clock);
    h.dismissAlert(); // "Keep playing"
    EXPECT_TRUE(game().getIsInGame());
    EXPECT_FALSE(h.app().isQuitting());

    EXPECT_FALSE(h.closeWindow());
    h.advance(1.0);
    testing::internal::CaptureStderr();
    h.tap(testkit::middleOf(*h.alert()->actionButton())); // "Quit"
    EXPECT_TRUE(h.app().isQuitting());
    h.terminate();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("lirvo: the game ") + kWhy + "\n");
    EXPECT_EQ(h.app().exitStatus(), 1);
}

TEST_F(ProgramEnd, ASignalDoesNotWaitButFailsTheExitWhenTheGameCannotBeSaved) {
    playUnsaveableGame();
    testing::internal::CaptureStderr();
    h.terminate();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("lirvo: the game ") + kWhy + "\n");
    EXPECT_EQ(h.app().exitStatus(), 1);
}

} // namespace

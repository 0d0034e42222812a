#pragma once

#include "game/main_view.h"
#include "game/nod.h"
#include "game/playing.h"
#include "platform/image_view.h"
#include "platform/timer.h"
#include "saves/save_folder.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "widgets/ui_custom_label.h"

namespace testkit {

// The game screen alone on the headless window, saving into a folder of its own.
class GameScreenTest : public ::testing::Test {
protected:
    GameScreenTest() { h.show(screen); }

    // A game started as the start screen starts one: the one place a test sets one up.
    void startGame(int nodes, int points, const char* difficulty, bool timeTrial, int minutes = 0, int seconds = 0) {
        // A new game: no board, its level and score as the test left them.
        game = {points, difficulty, game.Level, game.Score, timeTrial, nodes, {}, {}, {}, false, minutes, seconds};
        screen->StartGame(game);
    }

    // The game goes on with a known board, as when it is loaded.
    void useBoard(const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ys,
                  const std::vector<std::vector<std::int32_t>>& links) {
        game.NumberOfNodes = static_cast<std::int32_t>(xs.size());
        game.xNodes = xs;
        game.yNodes = ys;
        game.Links = links;
        game.Minutes = screen->getMinutes();
        game.Seconds = screen->getSeconds();
        screen->StartGame(game);
    }
    // 0-1 and 2-3 as the crossing diagonals of a square.
    void useCrossedBoard() { useBoard({100, 200, 100, 200}, {100, 200, 200, 100}, {{1}, {}, {3}, {}}); }

    ui::Point centreOf(std::size_t node) const { return screen->collection().at(node)->center(); }
    void tapLabel(const ui::View& label) { h.tap(middleOf(label)); }
    // A double tap on the board where no circle lies, and the menu's flip and fade.
    void toggleMenu() {
        h.doubleTap(kBoard);
        h.advance(kMenuOpens);
    }
    bool ended() const { return !screen->game().isLevelInPlay(); }
    std::string time() const { return screen->dtimeLabel()->text(); }
    // Level, score and time as the heads-up display shows them.
    std::vector<std::string> hud() const {
        return {screen->dlevelLabel()->text(), screen->dscoreLabel()->text(), time()};
    }
    std::vector<std::string> menuTexts() const {
        return {screen->label1()->text(), screen->label2()->text(), screen->label3()->text(), screen->label4()->text(),
                screen->label5()->text()};
    }
    std::vector<std::string> saved() const { return folder.list().saveNames; }

    static constexpr ui::Point kBoard{250, 400};
    // Seconds for the menu to flip in and its labels to fade in; to flip away.
    static constexpr double kMenuOpens = 1.05, kMenuCloses = 0.55;

    Harness h;
    saves::SavedGameRecord game;
    ScriptedRandom random{1'700'000'000};
    TempFolder saveFolder;
    saves::SaveFolder folder{saveFolder.path()};
    std::shared_ptr<game::MainView> screen = std::make_shared<game::MainView>(h.window().bounds(), random, folder);
};

} // namespace testkit

#pragma once

#include "game/main_view.h"
#include "game/nod.h"
#include "game/playing.h"
#include "platform/label.h"
#include "support/harness.h"
#include "support/printers.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "widgets/ui_custom_label.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testkit {

// The game screen alone on the headless window, with a game started the way
// the start screen starts one. It saves into a folder of its own.
class GameScreenTest : public ::testing::Test {
protected:
    GameScreenTest() {
        screen = std::make_shared<game::MainView>(h.window().bounds(), random,
                                                  saves::SaveFolder(saveFolder.path()));
        h.show(screen);
    }

    void startGame(int nodes, int points, const char* difficulty, bool timeTrial, int minutes = 0, int seconds = 0) {
        game.NumberOfNodes = nodes;
        game.ScoreInc = points;
        game.Difficulty = difficulty;
        game.TimeTrial = timeTrial;
        game.Minutes = minutes;
        game.Seconds = seconds;
        screen->StartGame(game);
    }
    void startEasySinglePlayer() { startGame(7, 10, "Easy", false); }

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
    // Two links that cross: 0-1 and 2-3 as the diagonals of a square.
    void useCrossedBoard() { useBoard({100, 200, 100, 200}, {100, 200, 200, 100}, {{1}, {}, {3}, {}}); }
    // A triangle: nothing can cross.
    void useSolvedBoard() { useBoard({100, 200, 150}, {100, 100, 300}, {{1}, {2}, {0}}); }

    core::Board board() const { return boardOf(*screen); }
    ui::Point centreOf(std::size_t node) const { return screen->collection().at(node)->center(); }
    void dragNodeTo(std::size_t node, ui::Point target) { testkit::dragNodeTo(h, *screen, node, target); }
    void solveByDragging() { testkit::solveByDragging(h, *screen); }

    void tapLabel(const ui::View& label) { h.tap(middleOf(label)); }

    std::string time() const { return screen->dtimeLabel()->text(); }
    std::vector<std::string> menuTexts() const {
        return {screen->label1()->text(), screen->label2()->text(), screen->label3()->text(), screen->label4()->text(),
                screen->label5()->text()};
    }
    // Seconds for a panel or menu to flip in and its labels to fade in.
    static constexpr double kMenuOpens = 1.05;
    static constexpr double kMenuCloses = 0.55;

    Harness h;
    saves::SavedGameRecord game;
    ScriptedRandom random{1'700'000'000};
    TempFolder saveFolder;
    std::shared_ptr<game::MainView> screen;
};

} // namespace testkit

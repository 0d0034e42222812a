#pragma once

#include "app/lirvo_app_delegate.h"
#include "game/playing.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/text_view.h"
#include "saves/save_folder.h"
#include "start/start_view.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "widgets/ui_custom_label.h"

namespace testkit {

using Texts = std::vector<std::string>;

// The program on the headless window, launched as it is from the desktop,
// saving into a folder of its own.
class StartScreenTest : public ::testing::Test {
protected:
    static constexpr double kIntro = 8.4, kSlide = 0.8;
    // The backdrop flips in, then title, content and exit come in; the game screen flips in.
    static constexpr double kPanelOpens = 1.45, kGameFlip = 0.8;

    game::MainView& game() { return *start->mainView(); }
    std::string logo() const { return start->img()->image() ? start->img()->image()->name() : ""; }
    saves::SaveFolder& saves() { return folder; }
    const widgets::UICustomLabel& entry(const start::Menu& menu, std::size_t i) const { return *menu.labels().at(i); }
    // Taps an entry once it has come to rest, and lets the screen react.
    void choose(const ui::View& entry, double wait = 1.0) {
        h.tap(middleOf(entry));
        h.advance(wait);
    }
    // A click ends the intro, as its last fade would.
    void toMainMenu() { choose(*start, kSlide + 0.1); }
    void toDifficultyMenu(bool timeTrial) {
        toMainMenu();
        choose(entry(start->mainMenu(), 0));                     // "New Game"
        choose(entry(start->gameModeMenu(), timeTrial ? 1 : 0)); // "Single Player" or "Time Trial"
    }
    // From launch to a game of the difficulty (0 "Easy", 1 "Medium", 2 "Hard") on the screen.
    void playNewGame(bool timeTrial, std::size_t difficulty) {
        toDifficultyMenu(timeTrial);
        choose(entry(start->difficultyMenu(), difficulty), kGameFlip);
    }
    // Level, score and time as the game's heads-up display shows them.
    Texts hud() { return {game().dlevelLabel()->text(), game().dscoreLabel()->text(), game().dtimeLabel()->text()}; }

    ScriptedRandom random{1'700'000'000};
    TempFolder saveFolder;
    saves::SaveFolder folder{saveFolder.path()};
    app::LirvoAppDelegate delegate{random, folder};
    Harness h{delegate};
    std::shared_ptr<start::StartView> start = delegate.startView();
};

} // namespace testkit

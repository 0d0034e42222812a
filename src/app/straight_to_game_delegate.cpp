#include "app/straight_to_game_delegate.h"

#include "game/main_view.h"
#include "platform/label.h"

namespace app {

void StraightToGameDelegate::applicationDidFinishLaunching(ui::Application& application) {
    application.setStatusBarHidden(true);
    const auto& window = application.window();
    screen_ = std::make_shared<game::MainView>(window->bounds(), random_, saves_);
    window->addSubview(screen_);
    window->makeKeyAndVisible();

    // The "Easy" preset: 7 circles, 10 points a level, the clock counting up from 0:00.
    screen_->setNrNoduri(7);
    screen_->setScoreInc(10);
    screen_->setLevel(1);
    screen_->setCurrentScore(0);
    screen_->setDifficulty("Easy");
    screen_->setTrialTime(false);
    screen_->setNewGame(true);
    screen_->setDead(false);
    screen_->setInitialMinutes(0);
    screen_->setInitialSeconds(0);
    screen_->setMinutes(0, 0);
    screen_->setIsInGame(true);
    screen_->dlevelLabel()->setText("1");
    screen_->dscoreLabel()->setText("0");
    screen_->RestartGame({}, {}, {}, false);
    screen_->scheduleClock();
}

void StraightToGameDelegate::applicationWillTerminate(ui::Application&) {
    if (screen_ && screen_->getIsInGame()) screen_->SaveOnExit();
}

} // namespace app

#include "app/lirvo_app_delegate.h"

#include "game/main_view.h"
#include "start/start_view.h"

namespace app {

LirvoAppDelegate::LirvoAppDelegate(core::RandomSource& random, saves::SaveFolder saves)
    : random_(random), saves_(std::move(saves)) {}

LirvoAppDelegate::~LirvoAppDelegate() = default;

void LirvoAppDelegate::applicationDidFinishLaunching(ui::Application& application) {
    const auto& window = application.window();
    startView_ = std::make_shared<start::StartView>(window->bounds(), random_, saves_);
    window->addSubview(startView_);
    // The window shows only where the screen narrows in a flip (into a game,
    // back to the menu): there it is the screen's own colour, not black bars.
    window->setBackgroundColor(startView_->backgroundColor());
    window->makeKeyAndVisible();
}

void LirvoAppDelegate::applicationWillResignActive(ui::Application&) {
    // A Time Trial clock must not run down unseen.
    if (startView_) startView_->mainView()->pauseWhileAway();
}

void LirvoAppDelegate::applicationDidEnterBackground(ui::Application&) { saveGameInProgress(); }

void LirvoAppDelegate::applicationWillTerminate(ui::Application&) { saveGameInProgress(); }

void LirvoAppDelegate::saveGameInProgress() {
    if (startView_ && startView_->mainView()->getIsInGame()) startView_->mainView()->SaveOnExit();
}

} // namespace app

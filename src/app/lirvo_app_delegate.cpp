#include "app/lirvo_app_delegate.h"

#include "game/main_view.h"
#include "start/start_view.h"

#include <iostream>
#include <memory>

namespace app {

namespace {

// The last word on a game the program could not keep as it ends.
void reportUnsaved(ui::Application& application, const core::Result<>& saved) {
    std::cerr << "lirvo: the game could not be saved (" << saved.reason() << ")\n";
    application.setExitStatus(1);
}

} // namespace

LirvoAppDelegate::LirvoAppDelegate(core::RandomSource& random, saves::SaveStore& saves)
    : random_(random), saves_(saves) {}

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

bool LirvoAppDelegate::applicationShouldTerminate(ui::Application& application) {
    if (!isInGame()) return true;
    // The window's store answers before it returns; whatever it says decides.
    auto quit = std::make_shared<bool>(true);
    startView_->mainView()->SaveOnExit([&application, quit](const core::Result<>& saved) {
        if (saved) return;
        *quit = application.ask({"Save Game",
                                 "The game could not be saved (" + saved.reason() + "). Quit without saving it?",
                                 "Quit", "Back to the game"});
        if (*quit) reportUnsaved(application, saved);
    });
    savedForClose_ = *quit;
    return *quit;
}

void LirvoAppDelegate::applicationDidEnterBackground(ui::Application& application) { saveGameInProgress(application); }

void LirvoAppDelegate::applicationWillTerminate(ui::Application& application) {
    if (!savedForClose_) saveGameInProgress(application);
}

bool LirvoAppDelegate::isInGame() const { return startView_ && startView_->mainView()->getIsInGame(); }

void LirvoAppDelegate::saveGameInProgress(ui::Application& application) {
    if (!isInGame()) return;
    startView_->mainView()->SaveOnExit([&application](const core::Result<>& saved) {
        if (!saved) reportUnsaved(application, saved);
    });
}

} // namespace app

#include "app/lirvo_app_delegate.h"

#include "game/main_view.h"
#include "platform/alert_view.h"
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
    // Once the window shows, so that a problem with them is told over it.
    startView_->mainView()->syncRecords();
}

void LirvoAppDelegate::applicationWillResignActive(ui::Application&) {
    // A Time Trial clock must not run down unseen.
    if (startView_) startView_->mainView()->pauseWhileAway();
}

bool LirvoAppDelegate::applicationShouldTerminate(ui::Application& application) {
    if (!isInGame()) return true;
    // Asked already: the question stands until the player answers it.
    if (!unsavedQuestion_.expired()) return false;
    bool kept = false;
    // The desktop's store answers before it returns.
    startView_->mainView()->SaveOnExit([&](const core::Result<>& saved) {
        kept = saved.ok();
        if (!kept) askAboutUnsaved(application, saved);
    });
    savedForClose_ = kept;
    return kept;
}

void LirvoAppDelegate::askAboutUnsaved(ui::Application& application, const core::Result<>& saved) {
    // The game waits under its options menu while the player decides.
    startView_->mainView()->pauseWhileAway();
    unsavedQuestion_ = ui::AlertView::show(
        "Save Game", "The game could not be saved (" + saved.reason() + "). Quit without saving it?", "Keep playing",
        ui::AlertAction{"Quit", [this, &application, saved] {
                            reportUnsaved(application, saved);
                            savedForClose_ = true;
                            application.quit();
                        }});
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

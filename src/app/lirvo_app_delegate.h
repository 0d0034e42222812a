#pragma once

#include "core/random_source.h"
#include "platform/application.h"
#include "saves/save_store.h"

#include <memory>

namespace start {
class StartView;
}

namespace ui {
class AlertView;
}

namespace app {

// Puts the start screen in the window at launch, pauses the game in
// progress while the window is out of sight, and saves it, if there is one,
// when the program ends or may end unannounced (a browser page hidden or
// closed). A save that fails as the window closes is told, and the player
// may go back to the game; one that fails at any other end is told on
// standard error and makes the exit status 1.
class LirvoAppDelegate final : public ui::ApplicationDelegate {
public:
    LirvoAppDelegate(core::RandomSource& random, saves::SaveStore& saves);
    ~LirvoAppDelegate() override;

    void applicationDidFinishLaunching(ui::Application& application) override;
    bool applicationShouldTerminate(ui::Application& application) override;
    void applicationWillResignActive(ui::Application& application) override;
    void applicationDidEnterBackground(ui::Application& application) override;
    void applicationWillTerminate(ui::Application& application) override;

    const std::shared_ptr<start::StartView>& startView() const { return startView_; }

private:
    bool isInGame() const;
    // Whether to quit all the same, the game unsaved, or go back to it.
    void askAboutUnsaved(ui::Application& application, const core::Result<>& saved);
    // Saves the game in progress, telling a failure on standard error and
    // in the exit status.
    void saveGameInProgress(ui::Application& application);

    core::RandomSource& random_;
    saves::SaveStore& saves_;
    // The window's close has saved the game already, or the player chose to
    // quit without it: the end needs no other save.
    bool savedForClose_ = false;
    std::weak_ptr<ui::AlertView> unsavedQuestion_;
    std::shared_ptr<start::StartView> startView_;
};

} // namespace app

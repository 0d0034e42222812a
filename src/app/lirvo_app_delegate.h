#pragma once

#include "core/random_source.h"
#include "platform/application.h"
#include "saves/save_folder.h"

#include <memory>

namespace start {
class StartView;
}

namespace app {

// Puts the start screen in the window at launch, pauses the game in
// progress while the window is out of sight, and saves it, if there is one,
// when the program ends or may end unannounced (a browser page hidden or closed).
class LirvoAppDelegate final : public ui::ApplicationDelegate {
public:
    LirvoAppDelegate(core::RandomSource& random, saves::SaveFolder saves);
    ~LirvoAppDelegate() override;

    void applicationDidFinishLaunching(ui::Application& application) override;
    void applicationWillResignActive(ui::Application& application) override;
    void applicationDidEnterBackground(ui::Application& application) override;
    void applicationWillTerminate(ui::Application& application) override;

    const std::shared_ptr<start::StartView>& startView() const { return startView_; }

private:
    void saveGameInProgress();

    core::RandomSource& random_;
    saves::SaveFolder saves_;
    std::shared_ptr<start::StartView> startView_;
};

} // namespace app

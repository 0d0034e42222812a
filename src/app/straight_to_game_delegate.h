#pragma once

#include "core/random_source.h"
#include "platform/application.h"
#include "saves/save_folder.h"

#include <memory>

namespace game {
class MainView;
}

namespace app {

// Opens straight into an "Easy" "Single Player" game, as the start screen
// does when that difficulty is chosen, and saves the game in progress at the
// end; the start screen's application delegate will take its place.
class StraightToGameDelegate final : public ui::ApplicationDelegate {
public:
    StraightToGameDelegate(core::RandomSource& random, saves::SaveFolder saves)
        : random_(random), saves_(std::move(saves)) {}

    void applicationDidFinishLaunching(ui::Application& application) override;
    void applicationWillTerminate(ui::Application& application) override;

    const std::shared_ptr<game::MainView>& gameScreen() const { return screen_; }

private:
    core::RandomSource& random_;
    saves::SaveFolder saves_;
    std::shared_ptr<game::MainView> screen_;
};

} // namespace app

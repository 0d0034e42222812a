#include "app/lirvo_app_delegate.h"
#include "app/options.h"
#include "app/resource_folder.h"
#include "app/snapshot_command.h"
#include "core/system_random.h"
#include "platform/image.h"
#include "platform/sdl/sdl_backend.h"
#include "saves/save_folder.h"

#include <SDL.h>

#include <iostream>
#include <stdexcept>

namespace {

std::filesystem::path executableFolder() {
    char* base = SDL_GetBasePath();
    std::filesystem::path folder = base ? base : ".";
    SDL_free(base);
    return folder;
}

int playInWindow(const app::Options& options, const std::filesystem::path& resources, saves::SaveStore& saves) {
    try {
        core::SystemRandom random;
        app::LirvoAppDelegate delegate(random, saves);
        ui::sdl::SdlBackend backend({"Lirvo", options.scale, options.fullscreen, resources / "lirvo.png"});
        if (!backend.scaleNote().empty()) std::cerr << "lirvo: " << backend.scaleNote() << '\n';
        ui::Application application(backend, delegate);
        return application.run();
    } catch (const std::runtime_error& e) {
        std::cerr << "lirvo: " << e.what() << '\n';
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    const auto options = app::parseOptions(argc, argv);
    if (!options) {
        std::cerr << "lirvo: " << options.reason() << "\n\n" << app::kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << app::kUsage;
        return 0;
    }
    const auto resources = app::findResourceFolder(executableFolder());
    if (!resources) {
        std::cerr << "lirvo: the game's pictures are neither beside the program nor in its data folder\n";
        return 1;
    }
    ui::Image::setResourceFolder(*resources);
    // A folder that cannot be made, or none at all, does not keep anyone from playing: each save says why it failed.
    saves::PreparedFolder saves = saves::SaveFolder::prepare(options->saves);
    if (!saves.problem.empty()) std::cerr << "lirvo: " << saves.problem << '\n';
    return options->snapshot ? app::takeSnapshot(*options, saves.store(), std::cerr)
                             : playInWindow(*options, *resources, saves.store());
}

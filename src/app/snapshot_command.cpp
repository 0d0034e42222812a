#include "app/snapshot_command.h"

#include "app/lirvo_app_delegate.h"
#include "app/touch_script.h"
#include "core/system_random.h"
#include "platform/headless/headless_backend.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/snapshot.h"

#include <SDL.h>

namespace app {

int takeSnapshot(const Options& options, saves::SaveStore& saves, std::ostream& errors) {
    const auto script = TouchScript::parse(options.play);
    if (!script) {
        errors << "lirvo: --play: " << script.reason() << '\n';
        return 2;
    }

    core::SystemRandom random;
    LirvoAppDelegate delegate(random, saves);
    ui::HeadlessBackend backend;
    ui::Application application(backend, delegate);
    application.launch();
    // The script's points are those of the picture at scale 1.
    const ui::sdl::Landscape picture(backend.screenSize(), {backend.screenSize().height, backend.screenSize().width});
    script->play(backend, application, [&](ui::Point p) { return picture.toPortrait(p); });

    const float scale = options.scale > 0 ? static_cast<float>(options.scale) : 1;
    const ui::sdl::SurfacePtr surface = ui::sdl::renderLandscape(*application.window(), backend.screenSize(), scale);
    if (!surface || !ui::sdl::savePng(*surface, *options.snapshot)) {
        errors << "lirvo: cannot write " << *options.snapshot << ": " << SDL_GetError() << '\n';
        return 1;
    }
    return 0;
}

} // namespace app

// The browser's front door: the same game as main.cpp's, in the page's
// canvas. The page (web/index.html) has mounted the saved-game folder from
// IndexedDB and loaded the pictures and fonts before this runs.
#include "app/lirvo_app_delegate.h"
#include "core/system_random.h"
#include "platform/image.h"
#include "platform/web/web_backend.h"
#include "saves/save_folder.h"

#include <iostream>

int main() {
    ui::Image::setResourceFolder("/resources");
    const saves::PreparedFolder saves = saves::SaveFolder::prepare("/saves");
    if (!saves.problem.empty()) std::cerr << "lirvo: " << saves.problem << '\n';
    // The page lives on after main returns, and the game with it.
    static core::SystemRandom random;
    static app::LirvoAppDelegate delegate(random, *saves.folder);
    static ui::web::WebBackend backend;
    static ui::Application application(backend, delegate);
    backend.start(application);
    return 0;
}

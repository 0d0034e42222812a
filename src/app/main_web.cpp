// The browser's front door: the same game as main.cpp's, in the page's
// canvas. The page (web/index.html) has loaded the pictures and fonts before
// this runs; the saved games are in its IndexedDB.
#include "app/lirvo_app_delegate.h"
#include "core/system_random.h"
#include "platform/image.h"
#include "platform/web/web_backend.h"
#include "saves/browser_store.h"

int main() {
    ui::Image::setResourceFolder("/resources");
    // The page lives on after main returns, and the game with it.
    static ui::web::WebBackend backend;
    // An answer from the browser's storage may change the screen while no frame is coming.
    static saves::BrowserStore saves([] { backend.wake(); });
    static core::SystemRandom random;
    static app::LirvoAppDelegate delegate(random, saves);
    static ui::Application application(backend, delegate);
    backend.start(application);
    return 0;
}

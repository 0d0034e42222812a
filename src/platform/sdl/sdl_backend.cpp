#include "platform/sdl/sdl_backend.h"

#include "platform/window.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <stdexcept>
#include <string>

namespace ui::sdl {

namespace {

// SDL turns SIGINT and SIGTERM into SDL_QUIT; a closed terminal (SIGHUP)
// goes the same way, through SDL's own SIGTERM handler.
void hangUpAsTerminate(int) { std::raise(SIGTERM); }

std::runtime_error failure(const std::string& what) { return std::runtime_error(what + ": " + SDL_GetError()); }

// F11 or Alt+Enter; only the first press of a held key, or its repeats would toggle back and forth.
bool isFullscreenKey(const SDL_KeyboardEvent& key) {
    if (key.repeat) return false;
    return key.keysym.sym == SDLK_F11 || (key.keysym.sym == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0);
}

WindowScale scaleOnDisplay(Size screen, int requested) {
    SDL_Rect usable{};
    // A display that cannot tell its size gets the scale asked for, or 1.
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return {std::max(1, requested), {}};
    return chooseScale(screen, {static_cast<float>(usable.w), static_cast<float>(usable.h)}, requested);
}

WindowPtr openWindow(const WindowOptions& options, int scale, Size screen) {
    // Any size the player gives the window is filled as full screen is, between margins.
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    WindowPtr window(SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                      static_cast<int>(screen.height) * scale, static_cast<int>(screen.width) * scale,
                                      flags));
    if (!window) throw failure("cannot open a window");
    if (!options.icon.empty()) {
        if (const SurfacePtr icon{IMG_Load(options.icon.c_str())}) SDL_SetWindowIcon(window.get(), icon.get());
    }
    return window;
}

RendererPtr openRenderer(SDL_Window& window) {
    // Hardware first; SDL falls back to its software renderer.
    RendererPtr renderer(SDL_CreateRenderer(&window, -1, 0));
    if (!renderer) throw failure("cannot draw in the window");
    return renderer;
}

} // namespace

WindowScale chooseScale(Size screen, Size usable, int requested) {
    const int fitting =
        std::max(1, static_cast<int>(std::min(usable.width / screen.height, usable.height / screen.width)));
    if (requested == 0) return {fitting, {}};
    if (requested <= fitting) return {requested, {}};
    return {fitting, "--scale " + std::to_string(requested) + " is more than the display allows (" +
                         std::to_string(static_cast<int>(usable.width)) + " x " +
                         std::to_string(static_cast<int>(usable.height)) + " pixels free): using " +
                         std::to_string(fitting)};
}

SdlBackend::Video::Video() {
    // Closing the window is a question for the game (see handle), not the end.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) throw failure("cannot start SDL video");
    // As SDL does for its signals, a SIGHUP that is ignored (nohup) stays ignored.
    struct sigaction hangUp {};
    if (::sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler == SIG_DFL) {
        hangUp.sa_handler = hangUpAsTerminate;
        ::sigaction(SIGHUP, &hangUp, nullptr);
    }
    // Without a display SDL falls back to drawing off screen: a window nobody
    // could see or close. Only someone who asks for such a driver gets one.
    const std::string driver = SDL_GetCurrentVideoDriver();
    if ((driver == "offscreen" || driver == "dummy") && !SDL_getenv("SDL_VIDEODRIVER")) {
        SDL_Quit();
        throw std::runtime_error("no display to open the window on");
    }
}

SdlBackend::Video::~Video() { SDL_Quit(); }

SdlBackend::SdlBackend(const WindowOptions& options, Size screen)
    : screen_(screen), scale_(scaleOnDisplay(screen, options.scale)),
      window_(openWindow(options, scale_.scale, screen)), renderer_(openRenderer(*window_)),
      canvas_(renderer_.get(), fonts_) {}

Size SdlBackend::windowSize() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_.get(), &w, &h);
    return {static_cast<float>(w), static_cast<float>(h)};
}

Landscape SdlBackend::landscape() const {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
    return Landscape(screen_, {static_cast<float>(w), static_cast<float>(h)});
}

bool SdlBackend::waitForInput(std::optional<double> deadline, Application& application) {
    SDL_Event event;
    bool got = false;
    if (!deadline) {
        got = SDL_WaitEvent(&event) == 1;
    } else {
        // Rounded up: waking a little early would only mean waiting again.
        const double wait = std::max(0.0, *deadline - clock_.now());
        got = SDL_WaitEventTimeout(&event, static_cast<int>(std::ceil(wait * 1000))) == 1;
    }
    while (got) {
        if (!handle(event, application)) return false;
        got = SDL_PollEvent(&event) == 1;
    }
    return true;
}

bool SdlBackend::handle(const SDL_Event& event, Application& application) {
    Window& window = *application.window();
    // Closing the window asks first; a signal (SDL_QUIT) does not wait.
    if (event.type == SDL_QUIT) return false;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)
        return !application.shouldTerminate();
    if (event.type == SDL_KEYDOWN && isFullscreenKey(event.key)) {
        const bool full = (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN) != 0;
        SDL_SetWindowFullscreen(window_.get(), full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
        return true;
    }
    if (event.type == SDL_WINDOWEVENT &&
        (event.window.event == SDL_WINDOWEVENT_MINIMIZED || event.window.event == SDL_WINDOWEVENT_HIDDEN)) {
        application.resignActive();
        return true;
    }
    input_.handle(event, window, landscape(), windowSize());
    return true;
}

void SdlBackend::present(Window& window) {
    const Landscape shown = landscape();
    canvas_.paintChanges(window, shown, window.damage());
    window.setPixelsPerPoint(shown.scale());
    SDL_RenderPresent(renderer_.get());
}

} // namespace ui::sdl

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

// The largest whole scale at which the landscape window fits the display.
int fittingScale(Size screen) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    const int scale = static_cast<int>(std::min(usable.w / screen.height, usable.h / screen.width));
    return std::max(1, scale);
}

WindowPtr openWindow(const WindowOptions& options, Size screen) {
    const int scale = options.scale > 0 ? options.scale : fittingScale(screen);
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
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

SdlBackend::Video::Video() {
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
    : screen_(screen), window_(openWindow(options, screen)), renderer_(openRenderer(*window_)),
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

bool SdlBackend::waitForInput(std::optional<double> deadline, Window& window) {
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
        if (!handle(event, window)) return false;
        got = SDL_PollEvent(&event) == 1;
    }
    return true;
}

bool SdlBackend::handle(const SDL_Event& event, Window& window) {
    if (event.type == SDL_QUIT) return false;
    if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: window.setNeedsDisplay(); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // A button released elsewhere never arrives: no finger stays down.
            window.touches().cancelAll();
            input_.reset();
            break;
        default: break;
        }
        return true;
    }
    input_.handle(event, window, landscape(), windowSize());
    return true;
}

void SdlBackend::present(Window& window) {
    canvas_.paint(window, landscape());
    SDL_RenderPresent(renderer_.get());
}

} // namespace ui::sdl

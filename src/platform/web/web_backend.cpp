#include "platform/web/web_backend.h"

#include "platform/window.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <cstdlib>
#include <iostream>

namespace ui::web {

namespace {

// The page is built without exception catching: nothing could take a throw.
[[noreturn]] void fail(const char* what) {
    std::cerr << "lirvo: " << what << ": " << SDL_GetError() << '\n';
    std::abort();
}

// SDL is never shut down: the page ends without calling back.
sdl::WindowPtr openWindow(Size screen) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) fail("cannot start SDL video");
    // The page's style sizes the canvas; SDL follows it, at the device pixel
    // ratio, whenever the page is resized.
    sdl::WindowPtr window(SDL_CreateWindow("Lirvo", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                           static_cast<int>(screen.height), static_cast<int>(screen.width),
                                           SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE));
    if (!window) fail("cannot draw in the page");
    return window;
}

sdl::RendererPtr openRenderer(SDL_Window& window) {
    sdl::RendererPtr renderer(SDL_CreateRenderer(&window, -1, 0));
    if (!renderer) fail("cannot draw in the page");
    return renderer;
}

} // namespace

WebBackend::WebBackend(Size screen)
    : screen_(screen), window_(openWindow(screen)), renderer_(openRenderer(*window_)),
      canvas_(renderer_.get(), fonts_) {}

WebBackend::~WebBackend() { SDL_DelEventWatch(watch, this); }

Size WebBackend::windowSize() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_.get(), &w, &h);
    return {static_cast<float>(w), static_cast<float>(h)};
}

sdl::Landscape WebBackend::landscape() const {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
    return sdl::Landscape(screen_, {static_cast<float>(w), static_cast<float>(h)});
}

void WebBackend::start(Application& application) {
    application_ = &application;
    SDL_AddEventWatch(watch, this);
    // Closing SDL's window takes this handler with its own.
    emscripten_set_mouseleave_callback("#canvas", this, false, pointerLeft);
    application.launch();
    // 0 frames a second: the browser's own frame callback.
    emscripten_set_main_loop_arg(frame, this, 0, false);
}

void WebBackend::frame(void* self) {
    auto& backend = *static_cast<WebBackend*>(self);
    Application& application = *backend.application_;
    backend.waitForInput(std::nullopt, application);
    backend.sleepUntil(application.update());
}

bool WebBackend::waitForInput(std::optional<double>, Application& application) {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) input_.handle(event, *application.window(), landscape(), windowSize());
    return true;
}

void WebBackend::present(Window& window) {
    const sdl::Landscape shown = landscape();
    canvas_.paintChanges(window, shown, window.damage());
    window.setPixelsPerPoint(shown.scale());
    SDL_RenderPresent(renderer_.get());
    if (!presented_) {
        presented_ = true;
        // For whoever measures how soon the page shows the game, and for the
        // page, whose loading screen gives way to it.
        EM_ASM({
            performance.mark('lirvo-first-frame');
            if (Module['firstFrame']) Module['firstFrame']();
        });
    }
}

void WebBackend::sleepUntil(std::optional<double> deadline) {
    if (timeout_) emscripten_clear_timeout(*timeout_);
    timeout_.reset();
    const double now = clock_.now();
    if (application_->window()->needsDisplay() || (deadline && *deadline <= now + Application::kFrameInterval)) return;
    emscripten_pause_main_loop();
    sleeping_ = true;
    if (deadline) timeout_ = emscripten_set_timeout(timeUp, (*deadline - now) * 1000, this);
}

void WebBackend::timeUp(void* self) {
    auto& backend = *static_cast<WebBackend*>(self);
    backend.timeout_.reset();
    backend.wake();
}

void WebBackend::wake() {
    if (!sleeping_) return;
    sleeping_ = false;
    emscripten_resume_main_loop();
}

// Called as SDL receives each event from the page, between frames.
int WebBackend::watch(void* self, SDL_Event* event) {
    auto& backend = *static_cast<WebBackend*>(self);
    const bool hidden = event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_HIDDEN;
    if (hidden || event->type == SDL_APP_TERMINATING) {
        backend.goAway();
        return 1;
    }
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_SHOWN) backend.away_ = false;
    backend.wake();
    return 1;
}

// SDL does not tell every time the pointer leaves the canvas (not the first
// time after it came in, for one), and a lit entry would stay lit. Each
// departure the page reports goes into SDL's queue, after the motion SDL
// may put there for it, and reaches the window in turn.
int WebBackend::pointerLeft(int, const EmscriptenMouseEvent*, void* self) {
    auto& backend = *static_cast<WebBackend*>(self);
    SDL_Event left{};
    left.type = SDL_WINDOWEVENT;
    left.window.event = SDL_WINDOWEVENT_LEAVE;
    left.window.windowID = SDL_GetWindowID(backend.window_.get());
    SDL_PushEvent(&left);
    return 0;
}

void WebBackend::goAway() {
    // Hidden, then closed, is one departure.
    if (away_) return;
    away_ = true;
    application_->resignActive();
    application_->enterBackground();
}

} // namespace ui::web

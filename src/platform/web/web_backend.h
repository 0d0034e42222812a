#pragma once

#include "platform/application.h"
#include "platform/sdl/font_library.h"
#include "platform/sdl/handles.h"
#include "platform/sdl/image_size.h"
#include "platform/sdl/input.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/sdl_canvas.h"

#include <SDL.h>
#include <emscripten/html5.h>

#include <optional>

namespace ui::web {

// The browser's back end: the page's canvas, drawn by SDL's WebGL renderer
// at the display's device pixel ratio, showing the portrait screen turned to
// landscape and letterboxed as large as the page allows; the mouse and each
// finger on a touch screen as fingers, and the keys, through the desktop's
// input mapping; the page itself tells when the pointer leaves the canvas,
// as SDL does not always. A page cannot block: the browser calls back once a
// frame, and when nothing is due within a frame the callbacks stop until
// input arrives or the next task comes due, so an idle page draws nothing. A
// page hidden or closed is told at once, as the browser may end it without
// calling back again.
class WebBackend final : public Backend {
public:
    explicit WebBackend(Size screen = {320, 480});
    ~WebBackend() override;

    const Clock& clock() const override { return clock_; }
    Size screenSize() const override { return screen_; }
    // Takes the input that has arrived and returns: the waiting happens
    // between the browser's frame callbacks (see start).
    bool waitForInput(std::optional<double> deadline, Application& application) override;
    void present(Window& window) override;
    std::optional<Size> imageSize(const std::filesystem::path& file) const override { return sdl::readImageSize(file); }

    // Launches the application and hands it to the browser's frame callback;
    // returns at once. The application must outlive the page.
    void start(Application& application);
    // Starts the frame callbacks again if they have stopped: for what changes
    // the screen from outside them, as an answer from the browser's storage.
    void wake();

private:
    static void frame(void* self);
    static int watch(void* self, SDL_Event* event);
    static int pointerLeft(int type, const EmscriptenMouseEvent* event, void* self);
    static void timeUp(void* self);
    // Keeps the frame callbacks coming, or stops them until input or `deadline`.
    void sleepUntil(std::optional<double> deadline);
    void goAway();
    sdl::Landscape landscape() const;
    Size windowSize() const;

    SteadyClock clock_;
    Size screen_;
    sdl::WindowPtr window_;
    sdl::RendererPtr renderer_;
    sdl::FontLibrary fonts_;
    sdl::SdlCanvas canvas_;
    sdl::Input input_;
    Application* application_ = nullptr;
    bool sleeping_ = false;
    std::optional<long> timeout_;
    bool away_ = false;
    bool presented_ = false;
};

} // namespace ui::web

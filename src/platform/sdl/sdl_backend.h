#pragma once

#include "platform/application.h"
#include "platform/sdl/font_library.h"
#include "platform/sdl/handles.h"
#include "platform/sdl/image_size.h"
#include "platform/sdl/input.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/sdl_canvas.h"

#include <filesystem>
#include <string>

namespace ui::sdl {

struct WindowOptions {
    std::string title;
    // Pixels per point; 0 picks the largest whole number that fits the display.
    int scale = 0;
    // Fills the display, the screen centred between margins.
    bool fullscreen = false;
    std::filesystem::path icon; // none when empty
};

struct WindowScale {
    int scale;
    std::string note; // why the scale asked for was lowered; empty when it was not
};

// The scale of a window showing the portrait `screen` turned, on a display
// with `usable` pixels free: `requested`, but no more than fits (never less
// than 1); 0 asks for the most that fits.
WindowScale chooseScale(Size screen, Size usable, int requested);

// The desktop back end: a window that shows the portrait screen turned a
// quarter clockwise so that the game reads in landscape, drawn by an SDL
// renderer (hardware when there is one), with the mouse and touch screens
// as fingers. F11 and Alt+Enter toggle full screen. A window minimised or
// hidden resigns the application's activity. Between events it sleeps in SDL's wait, so an idle program
// uses no CPU. Closing the window, SIGINT, SIGTERM and SIGHUP end the run.
class SdlBackend final : public Backend {
public:
    // Throws std::runtime_error when no window can be opened.
    explicit SdlBackend(const WindowOptions& options, Size screen = {320, 480});

    const Clock& clock() const override { return clock_; }
    Size screenSize() const override { return screen_; }
    bool waitForInput(std::optional<double> deadline, Application& application) override;
    void present(Window& window) override;
    std::optional<Size> imageSize(const std::filesystem::path& file) const override { return readImageSize(file); }
    // Why the window's scale is not the one asked for; empty when it is.
    const std::string& scaleNote() const { return scale_.note; }

private:
    // Starts SDL's video before everything else and stops it after.
    struct Video {
        Video();
        ~Video();
        Video(const Video&) = delete;
        Video& operator=(const Video&) = delete;
    };

    // False once the program has been asked to end.
    bool handle(const SDL_Event& event, Application& application);
    Landscape landscape() const;
    Size windowSize() const;

    SteadyClock clock_;
    Size screen_;
    Video video_;
    WindowScale scale_;
    WindowPtr window_;
    RendererPtr renderer_;
    FontLibrary fonts_;
    SdlCanvas canvas_;
    Input input_;
};

} // namespace ui::sdl

#include "platform/sdl/input.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/touch.h"
#include "support/harness.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <csignal>
#include <string>
#include <vector>

namespace {

// Writes what reaches it to one log for every pad, touches at their window
// (portrait) points and, past the first, their taps.
class Pad : public ui::View {
public:
    Pad(ui::Rect frame, std::string name) : View(frame), name_(std::move(name)) {}
    static inline std::string log;
    static void record(const std::string& entry) { log += (log.empty() ? "" : ", ") + entry; }

    void touchesBegan(const ui::TouchSet& t, const ui::Event&) override { note("began", t); }
    void touchesMoved(const ui::TouchSet& t, const ui::Event&) override { note("moved", t); }
    void touchesEnded(const ui::TouchSet& t, const ui::Event&) override { note("ended", t); }
    void touchesCancelled(const ui::TouchSet& t, const ui::Event&) override { note("cancelled", t); }
    bool keyPressed(ui::Key key) override {
        record(name_ + ' ' + std::array{"Escape", "Enter", "Space", "Delete", "Other"}[static_cast<int>(key)]);
        return true;
    }
    void pointerEntered() override { record(name_ + " entered"); }
    void pointerExited() override { record(name_ + " exited"); }
    void scrollWheel(float lines) override { record(name_ + " wheel " + std::to_string(lines).substr(0, 4)); }

private:
    void note(const std::string& phase, const ui::TouchSet& t) {
        const ui::Touch& touch = t.anyObject();
        const ui::Point at = touch.locationInView(nullptr);
        record(name_ + ' ' + phase + ' ' + std::to_string(std::lround(at.x)) + ',' + std::to_string(std::lround(at.y)) +
               (touch.tapCount() > 1 ? " x" + std::to_string(touch.tapCount()) : ""));
    }
    std::string name_;
};

SDL_Event mouse(Uint32 type, int x, int y, Uint32 which = 0, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION)
        e.motion.which = which, e.motion.x = x, e.motion.y = y;
    else
        e.button.which = which, e.button.button = button, e.button.x = x, e.button.y = y;
    return e;
}

SDL_Event wheel(float lines, Uint32 direction = SDL_MOUSEWHEEL_NORMAL, Uint32 which = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.which = which, e.wheel.direction = direction, e.wheel.preciseY = lines;
    e.wheel.mouseX = 330, e.wheel.mouseY = 150;
    return e;
}

SDL_Event key(SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym, e.key.keysym.mod = mod, e.key.repeat = repeat;
    return e;
}

// A touch at (x, 0.5) of the window's width and height.
SDL_Event finger(Uint32 type, SDL_FingerID id, float x, SDL_TouchID device = 7) {
    SDL_Event e{};
    e.type = type;
    e.tfinger.touchId = device, e.tfinger.fingerId = id, e.tfinger.x = x, e.tfinger.y = 0.5f;
    return e;
}

SDL_Event windowEvent(Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    return e;
}

// The mouse is finger 0 while its button is down and a pointer otherwise;
// touches are fingers of their own, and SDL's mouse echoes of them are
// ignored. A 480 x 320 window on 960 x 640 pixels: landscape (x, y) is
// portrait (y, 480 - x). `left` spans landscape x 280 to 380, `right` 80 to
// 180, both y 100 to 200.
TEST(SdlInput, EventsReachTheViewsAtTheirTurnedPoints) {
    testkit::Harness h;
    h.show(std::make_shared<Pad>(ui::Rect{100, 100, 100, 100}, "left"));
    h.show(std::make_shared<Pad>(ui::Rect{100, 300, 100, 100}, "right"));
    ui::sdl::Input input;
    const std::pair<std::vector<SDL_Event>, const char*> steps[] = {
        // A second release, and the right button, are not the finger's.
        {{mouse(SDL_MOUSEMOTION, 330, 150), mouse(SDL_MOUSEBUTTONDOWN, 330, 150), mouse(SDL_MOUSEMOTION, 340, 160),
          mouse(SDL_MOUSEBUTTONUP, 340, 160), mouse(SDL_MOUSEBUTTONUP, 340, 160),
          mouse(SDL_MOUSEBUTTONDOWN, 340, 160, 0, SDL_BUTTON_RIGHT)},
         "left entered, left exited, left began 150,150, left moved 160,140, left ended 160,140"},
        // The pointer goes where the wheel turns.
        {{mouse(SDL_MOUSEMOTION, 130, 150), wheel(1.5f), wheel(0.5f, SDL_MOUSEWHEEL_FLIPPED),
          wheel(1, SDL_MOUSEWHEEL_NORMAL, SDL_TOUCH_MOUSEID), windowEvent(SDL_WINDOWEVENT_LEAVE)},
         "right entered, left wheel 1.50, right exited, left entered, left wheel -0.5, left exited"},
        // Two touches at once; SDL's echoes of one, and its mouse posing as a touch, are ignored.
        {{finger(SDL_FINGERDOWN, 11, 0.7f), mouse(SDL_MOUSEBUTTONDOWN, 336, 160, SDL_TOUCH_MOUSEID),
          finger(SDL_FINGERDOWN, 12, 0.25f), finger(SDL_FINGERDOWN, 13, 0.7f, SDL_MOUSE_TOUCHID),
          finger(SDL_FINGERMOTION, 11, 0.75f), finger(SDL_FINGERMOTION, 12, 0.3f),
          mouse(SDL_MOUSEMOTION, 360, 160, SDL_TOUCH_MOUSEID), finger(SDL_FINGERUP, 12, 0.3f),
          finger(SDL_FINGERUP, 11, 0.75f), mouse(SDL_MOUSEBUTTONUP, 360, 160, SDL_TOUCH_MOUSEID),
          finger(SDL_FINGERMOTION, 11, 0.8f)},
         "left began 160,144, right began 160,360, left moved 160,120, right moved 160,336, right ended 160,336, "
         "left ended 160,120"},
        // A press the window loses its focus in ends there, as its release never arrives; the mouse then
        // hovers as it moves. Then a double click.
        {{mouse(SDL_MOUSEBUTTONDOWN, 340, 160), windowEvent(SDL_WINDOWEVENT_FOCUS_LOST), key(SDLK_SPACE),
          mouse(SDL_MOUSEMOTION, 340, 160), mouse(SDL_MOUSEBUTTONDOWN, 340, 160), mouse(SDL_MOUSEBUTTONUP, 340, 160),
          mouse(SDL_MOUSEBUTTONDOWN, 340, 160)},
         "left began 160,140, left cancelled 160,140, right Space, left entered, left exited, left began 160,140, "
         "left ended 160,140, left began 160,140 x2"},
        // Keys go to the topmost view, as pressed, not as repeated; Alt+Enter is the window's.
        {{key(SDLK_ESCAPE), key(SDLK_ESCAPE, KMOD_NONE, 1), key(SDLK_RETURN), key(SDLK_KP_ENTER),
          key(SDLK_RETURN, KMOD_LALT), key(SDLK_SPACE), key(SDLK_DELETE), key(SDLK_BACKSPACE), key(SDLK_a)},
         "right Escape, right Enter, right Enter, right Other, right Space, right Delete, right Delete, right Other"},
    };
    for (const auto& [events, log] : steps) {
        Pad::log.clear();
        for (const SDL_Event& e : events) input.handle(e, h.window(), {{320, 480}, {960, 640}}, {480, 320});
        EXPECT_EQ(Pad::log, log);
    }
}

class Delegate final : public ui::ApplicationDelegate {
    void applicationDidFinishLaunching(ui::Application&) override {}
    void applicationWillResignActive(ui::Application&) override { Pad::record("away"); }
    void applicationWillTerminate(ui::Application&) override {}
};

// A scale too large for the display is lowered to the largest that fits, with
// a word why. A window minimised or hidden tells the program, which pauses its
// game; F11 and Alt+Enter toggle full screen. SDL turns SIGTERM into the end
// of the run; closing the terminal the game was started from must end it the
// same way (saving the game), not kill it.
TEST(SdlBackend, AWindowSizedToTheDisplayHiddenAndFilledThenItsTerminalClosed) {
    {
        // With no display, and no driver asked for, there is no window nobody could see.
        const testkit::ScopedEnvironment x("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr),
            noDriver("SDL_VIDEODRIVER", nullptr);
        EXPECT_THROW(ui::sdl::SdlBackend({"Lirvo", 1, false, {}}), std::runtime_error);
    }
    const testkit::ScopedEnvironment driver("SDL_VIDEODRIVER", "dummy");
    ui::sdl::SdlBackend backend({"Lirvo", 16, false, {}});
    EXPECT_EQ(backend.scaleNote(), "--scale 16 is more than the display allows (1024 x 768 pixels free): using 2");
    Delegate delegate;
    ui::Application app(backend, delegate);
    const auto send = [&](std::initializer_list<SDL_Event> events) {
        Pad::log.clear();
        for (SDL_Event e : events) SDL_PushEvent(&e);
        ASSERT_TRUE(backend.waitForInput(backend.clock().now(), app));
    };
    send({}); // making the renderer may have hidden the window a moment, before any game
    send({windowEvent(SDL_WINDOWEVENT_MINIMIZED), windowEvent(SDL_WINDOWEVENT_HIDDEN)});
    EXPECT_EQ(Pad::log, "away, away");
    // A held key's repeats change nothing.
    for (const auto& [press, fullscreen] : {std::pair{key(SDLK_F11), true},
                                            {key(SDLK_F11, KMOD_NONE, 1), true},
                                            {key(SDLK_F11), false},
                                            {key(SDLK_RETURN, KMOD_LALT), true},
                                            {key(SDLK_RETURN, KMOD_RALT), false}}) {
        send({press});
        // The window is the only one since SDL started.
        EXPECT_EQ((SDL_GetWindowFlags(SDL_GetWindowFromID(1)) & SDL_WINDOW_FULLSCREEN) != 0, fullscreen);
    }
    std::raise(SIGHUP);
    EXPECT_FALSE(backend.waitForInput(backend.clock().now() + 1, app));
}

} // namespace

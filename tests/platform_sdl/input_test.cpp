#include "platform/sdl/input.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/touch.h"
#include "platform/view.h"
#include "support/harness.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <set>
#include <string>

namespace {

// Writes down what reaches it, touches at their window (portrait) points.
class Pad : public ui::View {
public:
    using View::View;
    std::string log;
    int taps = 0;
    static inline std::set<int> fingers; // of every pad

    void touchesBegan(const ui::TouchSet& t, const ui::Event&) override { note(" began ", t); }
    void touchesMoved(const ui::TouchSet& t, const ui::Event&) override { note(" moved ", t); }
    void touchesEnded(const ui::TouchSet& t, const ui::Event&) override { note(" ended ", t); }
    bool keyPressed(ui::Key key) override {
        static constexpr const char* kNames[] = {" Escape", " Enter", " Space", " Other"};
        log += kNames[static_cast<int>(key)];
        return true;
    }
    void pointerEntered() override { log += " entered"; }
    void pointerExited() override { log += " exited"; }
    void scrollWheel(float lines) override { log += " wheel " + std::to_string(lines).substr(0, 4); }

private:
    void note(const char* phase, const ui::TouchSet& t) {
        const ui::Touch& touch = t.anyObject();
        const ui::Point at = touch.locationInView(nullptr);
        log += phase + std::to_string(std::lround(at.x)) + ',' + std::to_string(std::lround(at.y));
        taps = touch.tapCount();
        fingers.insert(touch.finger());
    }
};

SDL_Event mouse(Uint32 type, int x, int y, Uint32 which = 0, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) e.motion.which = which, e.motion.x = x, e.motion.y = y;
    else e.button.which = which, e.button.button = button, e.button.x = x, e.button.y = y;
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
    const auto left = std::make_shared<Pad>(ui::Rect{100, 100, 100, 100});
    const auto right = std::make_shared<Pad>(ui::Rect{100, 300, 100, 100});
    h.show(left);
    h.show(right);
    ui::sdl::Input input;
    const struct {
        SDL_Event event;
        bool handled;
        const char *left, *right;
    } steps[] = {
        {mouse(SDL_MOUSEMOTION, 330, 150), true, " entered", ""},
        {mouse(SDL_MOUSEBUTTONDOWN, 330, 150), true, " exited began 150,150", ""},
        {mouse(SDL_MOUSEMOTION, 340, 160), true, " moved 160,140", ""},
        {mouse(SDL_MOUSEBUTTONUP, 340, 160), true, " ended 160,140", ""},
        {mouse(SDL_MOUSEBUTTONUP, 340, 160), false, "", ""},
        {mouse(SDL_MOUSEBUTTONDOWN, 340, 160, 0, SDL_BUTTON_RIGHT), false, "", ""},
        {mouse(SDL_MOUSEMOTION, 130, 150), true, "", " entered"},
        {wheel(1.5f), true, " wheel 1.50 entered", " exited"}, // the pointer goes where the wheel turns
        {wheel(0.5f, SDL_MOUSEWHEEL_FLIPPED), true, " wheel -0.5", ""},
        {wheel(1, SDL_MOUSEWHEEL_NORMAL, SDL_TOUCH_MOUSEID), false, "", ""},
        {finger(SDL_FINGERDOWN, 11, 0.7f), true, " began 160,144", ""},
        {mouse(SDL_MOUSEBUTTONDOWN, 336, 160, SDL_TOUCH_MOUSEID), false, "", ""},
        {finger(SDL_FINGERDOWN, 12, 0.25f), true, "", " began 160,360"},
        {finger(SDL_FINGERDOWN, 13, 0.7f, SDL_MOUSE_TOUCHID), false, "", ""},
        {finger(SDL_FINGERMOTION, 11, 0.75f), true, " moved 160,120", ""},
        {finger(SDL_FINGERMOTION, 12, 0.3f), true, "", " moved 160,336"},
        {mouse(SDL_MOUSEMOTION, 360, 160, SDL_TOUCH_MOUSEID), false, "", ""},
        {finger(SDL_FINGERUP, 12, 0.3f), true, "", " ended 160,336"},
        {finger(SDL_FINGERUP, 11, 0.75f), true, " ended 160,120", ""},
        {mouse(SDL_MOUSEBUTTONUP, 360, 160, SDL_TOUCH_MOUSEID), false, "", ""},
        {finger(SDL_FINGERMOTION, 11, 0.8f), false, "", ""}, // lifted: no longer a finger
        {mouse(SDL_MOUSEBUTTONDOWN, 340, 160), true, " exited began 160,140", ""},
        {mouse(SDL_MOUSEBUTTONUP, 340, 160), true, " ended 160,140", ""},
        {mouse(SDL_MOUSEBUTTONDOWN, 340, 160), true, " began 160,140", ""}, // a double click
        // Keys go to the topmost view, as pressed, not as repeated; Alt+Enter is the window's.
        {key(SDLK_ESCAPE), true, "", " Escape"},
        {key(SDLK_ESCAPE, KMOD_NONE, 1), false, "", ""},
        {key(SDLK_RETURN), true, "", " Enter"},
        {key(SDLK_KP_ENTER), true, "", " Enter"},
        {key(SDLK_RETURN, KMOD_LALT), true, "", " Other"},
        {key(SDLK_SPACE), true, "", " Space"},
        {key(SDLK_a), true, "", " Other"},
    };
    for (const auto& s : steps) {
        left->log.clear();
        right->log.clear();
        const int step = static_cast<int>(&s - steps);
        EXPECT_EQ(input.handle(s.event, h.window(), {{320, 480}, {960, 640}}, {480, 320}), s.handled) << "step " << step;
        EXPECT_EQ(left->log, s.left) << "step " << step;
        EXPECT_EQ(right->log, s.right) << "step " << step;
    }
    EXPECT_EQ(left->taps, 2);
    EXPECT_EQ(Pad::fingers.size(), 3u); // the mouse and each touch told apart
}

class AwayDelegate final : public ui::ApplicationDelegate {
public:
    void applicationDidFinishLaunching(ui::Application&) override {}
    void applicationWillResignActive(ui::Application&) override { ++away; }
    void applicationWillTerminate(ui::Application&) override {}
    int away = 0;
};

// A window minimised or hidden tells the program, which pauses its game; a
// pointer that leaves the window leaves what it hovered; F11 and Alt+Enter
// toggle full screen, where a click at the window's middle still lands at the
// picture's. SDL turns SIGTERM into the end of the run; closing the terminal
// the game was started from must end it the same way (saving the game), not kill it.
TEST(SdlBackend, AWindowPlayedWithThenItsTerminalClosed) {
    const testkit::ScopedEnvironment driver("SDL_VIDEODRIVER", "dummy");
    ui::sdl::SdlBackend backend({"Lirvo", 1, false, {}});
    SDL_Window* window = SDL_GetWindowFromID(1); // the only one since SDL started
    ASSERT_TRUE(window);
    AwayDelegate delegate;
    ui::Application app(backend, delegate);
    const auto send = [&](std::initializer_list<SDL_Event> events) {
        for (SDL_Event e : events) SDL_PushEvent(&e);
        ASSERT_TRUE(backend.waitForInput(backend.clock().now(), app));
    };
    send({}); // making the renderer may have hidden the window a moment, before any game
    delegate.away = 0;
    send({windowEvent(SDL_WINDOWEVENT_MINIMIZED), windowEvent(SDL_WINDOWEVENT_HIDDEN)});
    EXPECT_EQ(delegate.away, 2);

    const auto pad = std::make_shared<Pad>(app.window()->bounds());
    app.window()->addSubview(pad);
    send({mouse(SDL_MOUSEMOTION, 5, 5), windowEvent(SDL_WINDOWEVENT_LEAVE)});
    EXPECT_EQ(pad->log, " entered exited");
    const struct {
        SDL_Event key;
        bool fullscreen;
    } steps[] = {
        {key(SDLK_F11), true},
        {key(SDLK_F11, KMOD_NONE, 1), true}, // a held key's repeats change nothing
        {key(SDLK_F11), false},
        {key(SDLK_RETURN, KMOD_LALT), true},
        {key(SDLK_RETURN, KMOD_RALT), false},
    };
    for (const auto& step : steps) {
        pad->log.clear();
        send({step.key});
        EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0, step.fullscreen);
        int w = 0, h = 0;
        SDL_GetWindowSize(window, &w, &h);
        send({mouse(SDL_MOUSEBUTTONDOWN, w / 2, h / 2), mouse(SDL_MOUSEBUTTONUP, w / 2, h / 2)});
        EXPECT_EQ(pad->log, " began 160,240 ended 160,240") << w << " x " << h;
    }

    std::raise(SIGHUP);
    EXPECT_FALSE(backend.waitForInput(backend.clock().now() + 1, app));
}

TEST(SdlBackend, AScaleTooLargeForTheDisplayIsLoweredToTheLargestThatFitsAndSaysSo) {
    const struct {
        ui::Size usable;
        int requested, scale;
        const char* note;
    } cases[] = {
        {{1920, 1050}, 0, 3, ""}, // the most that fits: the height decides
        {{1920, 1050}, 2, 2, ""},
        {{1920, 1050}, 3, 3, ""},
        {{1400, 1050}, 3, 2, "--scale 3 is more than the display allows (1400 x 1050 pixels free): using 2"},
        {{400, 300}, 0, 1, ""}, // too small for any: still 1
        {{400, 300}, 2, 1, "--scale 2 is more than the display allows (400 x 300 pixels free): using 1"},
    };
    for (const auto& c : cases) {
        const auto chosen = ui::sdl::chooseScale({320, 480}, c.usable, c.requested);
        EXPECT_EQ(chosen.scale, c.scale) << c.usable.width << " x " << c.usable.height << ", scale " << c.requested;
        EXPECT_EQ(chosen.note, c.note) << c.usable.width << " x " << c.usable.height << ", scale " << c.requested;
    }
}

} // namespace

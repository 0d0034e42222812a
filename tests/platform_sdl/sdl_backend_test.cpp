#include "platform/sdl/sdl_backend.h"
#include "platform/touch.h"
#include "platform/view.h"
#include "support/printers.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

class AwayDelegate final : public ui::ApplicationDelegate {
public:
    void applicationDidFinishLaunching(ui::Application&) override {}
    void applicationWillResignActive(ui::Application&) override { ++away; }
    void applicationWillTerminate(ui::Application&) override {}
    int away = 0;
};

void sendWindowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    SDL_PushEvent(&e);
}

// Where the last finger landed on it, in window points, and whether the pointer is over it.
class Pad final : public ui::View {
public:
    using View::View;
    void touchesBegan(const ui::TouchSet& touches, const ui::Event&) override {
        landed = touches.anyObject().locationInView(nullptr);
    }
    void pointerEntered() override { hovered = true; }
    void pointerExited() override { hovered = false; }
    std::optional<ui::Point> landed;
    bool hovered = false;
};

void send(SDL_Event e, ui::sdl::SdlBackend& backend, ui::Application& app) {
    SDL_PushEvent(&e);
    ASSERT_TRUE(backend.waitForInput(backend.clock().now(), app));
}

// A window minimised or hidden tells the program, which pauses its game; a
// pointer that leaves the window leaves what it hovered. SDL turns SIGTERM
// and SIGINT into the end of the run; closing the terminal the game was
// started from must end it the same way (saving a game in progress), not kill it.
TEST(SdlBackend, AWindowOutOfSightOrLeftIsToldAndAClosedTerminalEndsTheRunAsSigtermDoes) {
    const testkit::ScopedEnvironment driver("SDL_VIDEODRIVER", "dummy");
    ui::sdl::SdlBackend backend(ui::sdl::WindowOptions{});
    AwayDelegate delegate;
    ui::Application app(backend, delegate);
    // Making the renderer may have hidden the window a moment, before any game.
    ASSERT_TRUE(backend.waitForInput(backend.clock().now(), app));
    delegate.away = 0;
    sendWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    sendWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    ASSERT_TRUE(backend.waitForInput(backend.clock().now(), app));
    EXPECT_EQ(delegate.away, 2);

    const auto pad = std::make_shared<Pad>(app.window()->bounds());
    app.window()->addSubview(pad);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = motion.motion.y = 5;
    send(motion, backend, app);
    EXPECT_TRUE(pad->hovered);
    sendWindowEvent(SDL_WINDOWEVENT_LEAVE);
    ASSERT_TRUE(backend.waitForInput(backend.clock().now(), app));
    EXPECT_FALSE(pad->hovered);

    std::raise(SIGHUP);
    EXPECT_FALSE(backend.waitForInput(backend.clock().now() + 1, app));
}


// Whether the window fills the display, a click at the middle of the window
// lands at the middle of the picture.
TEST(SdlBackend, F11AndAltEnterToggleFullScreenWhereClicksStillLandWhereTheyShould) {
    const testkit::ScopedEnvironment driver("SDL_VIDEODRIVER", "dummy");
    ui::sdl::SdlBackend backend({"Lirvo", 1, false, {}});
    SDL_Window* window = SDL_GetWindowFromID(1); // the only one since SDL started
    ASSERT_TRUE(window);
    AwayDelegate delegate;
    ui::Application app(backend, delegate);
    const auto pad = std::make_shared<Pad>(app.window()->bounds());
    app.window()->addSubview(pad);
    const struct {
        SDL_Keycode key;
        Uint16 mod;
        Uint8 repeat;
        bool fullscreen;
    } steps[] = {
        {SDLK_F11, KMOD_NONE, 0, true},
        {SDLK_F11, KMOD_NONE, 1, true}, // a held key's repeats change nothing
        {SDLK_F11, KMOD_NONE, 0, false},
        {SDLK_RETURN, KMOD_LALT, 0, true},
        {SDLK_RETURN, KMOD_RALT, 0, false},
    };
    for (const auto& step : steps) {
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.sym = step.key;
        key.key.keysym.mod = step.mod;
        key.key.repeat = step.repeat;
        send(key, backend, app);
        EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0, step.fullscreen) << SDL_GetKeyName(step.key);
        SDL_Event click{};
        click.button.button = SDL_BUTTON_LEFT;
        SDL_GetWindowSize(window, &click.button.x, &click.button.y);
        click.button.x /= 2;
        click.button.y /= 2;
        for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            click.type = type;
            send(click, backend, app);
        }
        ASSERT_TRUE(pad->landed) << SDL_GetKeyName(step.key);
        EXPECT_NEAR(pad->landed->x, 160, 1) << SDL_GetKeyName(step.key);
        EXPECT_NEAR(pad->landed->y, 240, 1) << SDL_GetKeyName(step.key);
        pad->landed.reset();
    }
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
        {{1920, 1050}, 16, 3, "--scale 16 is more than the display allows (1920 x 1050 pixels free): using 3"},
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

#include "platform/sdl/sdl_backend.h"
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

// A window minimised or hidden tells the program, which pauses its game. SDL
// turns SIGTERM and SIGINT into the end of the run; closing the terminal the
// game was started from must end it the same way (saving a game in
// progress), not kill it.
TEST(SdlBackend, AWindowOutOfSightIsToldAndAClosedTerminalEndsTheRunAsSigtermDoes) {
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

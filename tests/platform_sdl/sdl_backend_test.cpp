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

} // namespace

#include "platform/sdl/sdl_backend.h"
#include "support/harness.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

// SDL turns SIGTERM and SIGINT into the end of the run; closing the terminal
// the game was started from must end it the same way (saving a game in
// progress), not kill it.
TEST(SdlBackend, AClosedTerminalEndsTheRunAsSigtermDoes) {
    const testkit::ScopedEnvironment driver("SDL_VIDEODRIVER", "dummy");
    ui::sdl::SdlBackend backend(ui::sdl::WindowOptions{});
    testkit::Harness h; // only for a window to hand input to
    ASSERT_TRUE(backend.waitForInput(backend.clock().now(), h.window()));
    std::raise(SIGHUP);
    EXPECT_FALSE(backend.waitForInput(backend.clock().now() + 1, h.window()));
}

} // namespace

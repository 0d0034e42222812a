#pragma once

#include "core/result.h"

#include <filesystem>
#include <optional>
#include <string>

namespace app {

// What the command line asks for. Game rules take no options.
struct Options {
    bool help = false;
    // Pixels per point; 0: the largest whole number that fits the display
    // (in a window) or 1 (in a snapshot).
    int scale = 0;
    bool fullscreen = false;
    // The saved-game folder; none: the program's own data folder.
    std::optional<std::filesystem::path> saves;
    // Draws the screen into this PNG file instead of opening a window.
    std::optional<std::filesystem::path> snapshot;
    // Virtual time and touches played before the snapshot is taken.
    std::string play;
};

extern const char* const kUsage;

// The options, or a message saying what is wrong with them.
core::Result<Options> parseOptions(int argc, const char* const* argv);

} // namespace app

#include "app/options.h"

#include <charconv>
#include <string_view>

namespace app {

const char* const kUsage = "Usage: lirvo [--scale N] [--fullscreen] [--saves DIR]\n"
                           "       lirvo --snapshot FILE.png [--play SCRIPT] [--scale N] [--saves DIR]\n"
                           "\n"
                           "Lirvo, the untangle puzzle: drag the circles until no two lines cross.\n"
                           "Tap the board twice for the options menu.\n"
                           "\n"
                           "  --scale N          pixels per point, a whole number from 1 to 16; by default\n"
                           "                     the largest that fits the display\n"
                           "  --fullscreen       fill the display\n"
                           "  --saves DIR        keep saved games in DIR instead of $XDG_DATA_HOME/lirvo\n"
                           "                     (~/.local/share/lirvo)\n"
                           "  --snapshot FILE    draw the screen into a PNG file, without a window, after\n"
                           "                     the --play script has run on a virtual clock\n"
                           "  --play SCRIPT      steps separated by ';': 'wait SECONDS', 'tap X Y',\n"
                           "                     'doubletap X Y', 'drag X1 Y1 X2 Y2'; points are those of\n"
                           "                     the landscape picture at scale 1 (480 x 320, origin top left)\n"
                           "  --help             show this text\n";

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

core::Result<Options> parseOptions(int argc, const char* const* argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        // The value of an option that takes one.
        const bool takesValue = arg == "--scale" || arg == "--saves" || arg == "--snapshot" || arg == "--play";
        if (takesValue && i + 1 >= argc) return core::Failure{std::string(arg) + " needs a value"};
        const std::string_view text = takesValue ? argv[++i] : "";
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--fullscreen") {
            options.fullscreen = true;
        } else if (arg == "--scale") {
            const auto scale = wholeNumber(text);
            if (!scale || *scale < 1 || *scale > 16) {
                return core::Failure{"--scale takes a whole number from 1 to 16, not \"" + std::string(text) + "\""};
            }
            options.scale = *scale;
        } else if (arg == "--saves") {
            options.saves = std::filesystem::path(text);
        } else if (arg == "--snapshot") {
            options.snapshot = std::filesystem::path(text);
        } else if (arg == "--play") {
            options.play = text;
        } else {
            return core::Failure{"unknown option " + std::string(arg)};
        }
    }
    if (!options.play.empty() && !options.snapshot) return core::Failure{"--play needs --snapshot"};
    if (options.fullscreen && options.snapshot) return core::Failure{"--fullscreen and --snapshot do not go together"};
    return options;
}

} // namespace app

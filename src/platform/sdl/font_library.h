#pragma once

#include "platform/sdl/handles.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace ui::sdl {

// The fonts the screens name ("Trebuchet MS", "Helvetica-Bold", ...),
// mapped to the font files shipped in the resource folder's fonts/ (or,
// failing that, where their Debian packages put them) and opened at pixel sizes.
// Each font stays open for the library's life.
class FontLibrary {
public:
    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // The font file drawn for a name; none for a name the game does not use.
    static std::optional<std::filesystem::path> resolve(const std::string& name);

    // The named font with an em of `pixels`, or null when none can be opened.
    TTF_Font* font(const std::string& name, int pixels);

private:
    std::map<std::string, std::optional<std::filesystem::path>> files_;
    std::map<std::pair<std::string, int>, FontPtr> fonts_;
};

} // namespace ui::sdl

#pragma once

#include "platform/sdl/handles.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace ui::sdl {

// The fonts the screens name ("Trebuchet MS", "Helvetica-Bold", ...),
// resolved through fontconfig to installed files and opened at pixel sizes.
// Each font stays open for the library's life.
class FontLibrary {
public:
    struct File {
        std::filesystem::path path;
        int index = 0; // face within the file
    };

    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // The installed font that best answers a name: a family, optionally
    // followed by "-" and a style such as "Bold" or "BoldOblique".
    static std::optional<File> resolve(const std::string& name);

    // The named font with an em of `pixels`, or null when none can be opened.
    TTF_Font* font(const std::string& name, int pixels);

private:
    std::map<std::string, std::optional<File>> files_;
    std::map<std::pair<std::string, int>, FontPtr> fonts_;
};

} // namespace ui::sdl

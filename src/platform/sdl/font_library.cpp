#include "platform/sdl/font_library.h"

#include "platform/image.h"

#include <iostream>

namespace ui::sdl {

namespace {

// Each face the screens name, drawn with one free font that the game ships
// beside its pictures, so the text looks and measures the same on every
// machine. Liberation Sans has Helvetica's widths; Trebuchet MS is drawn
// condensed, so that a saved game's whole name fits the list's width.
struct Face {
    const char* name;
    const char* debianFile; // where the font's package puts it
};
constexpr Face kFaces[] = {
    {"Helvetica", "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"},
    {"Helvetica-Bold", "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"},
    {"Trebuchet MS", "/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Regular.ttf"},
};

} // namespace

FontLibrary::FontLibrary() {
    if (TTF_Init() != 0) std::cerr << "lirvo: cannot start the font renderer: " << TTF_GetError() << '\n';
}

FontLibrary::~FontLibrary() {
    fonts_.clear();
    TTF_Quit();
}

std::optional<std::filesystem::path> FontLibrary::resolve(const std::string& name) {
    for (const Face& face : kFaces) {
        if (face.name != name) continue;
        const std::filesystem::path debianFile = face.debianFile;
        std::error_code error;
        for (const auto& file : {Image::resourceFolder() / "fonts" / debianFile.filename(), debianFile}) {
            if (std::filesystem::is_regular_file(file, error)) return file;
        }
    }
    return std::nullopt;
}

TTF_Font* FontLibrary::font(const std::string& name, int pixels) {
    auto [it, inserted] = fonts_.try_emplace({name, pixels});
    if (!inserted) return it->second.get();

    auto [file, resolved] = files_.try_emplace(name);
    if (resolved) file->second = resolve(name);
    if (!file->second) {
        if (resolved) std::cerr << "lirvo: no font file answers \"" << name << "\"\n";
        return nullptr;
    }
    it->second.reset(TTF_OpenFont(file->second->c_str(), pixels));
    if (!it->second) std::cerr << "lirvo: cannot open " << *file->second << ": " << TTF_GetError() << '\n';
    return it->second.get();
}

} // namespace ui::sdl

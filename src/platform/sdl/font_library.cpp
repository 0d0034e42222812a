#include "platform/sdl/font_library.h"

#include <fontconfig/fontconfig.h>

#include <iostream>

namespace ui::sdl {

namespace {

struct PatternFreer {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternFreer>;

} // namespace

FontLibrary::FontLibrary() {
    if (TTF_Init() != 0) std::cerr << "lirvo: cannot start the font renderer: " << TTF_GetError() << '\n';
}

FontLibrary::~FontLibrary() {
    fonts_.clear();
    TTF_Quit();
}

std::optional<FontLibrary::File> FontLibrary::resolve(const std::string& name) {
    const std::size_t dash = name.find('-');
    const std::string family = name.substr(0, dash);
    const std::string style = dash == std::string::npos ? "" : name.substr(dash + 1);

    PatternPtr pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (style.find("Bold") != std::string::npos) FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    if (style.find("Oblique") != std::string::npos || style.find("Italic") != std::string::npos) {
        FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ITALIC);
    }
    // Fontconfig's aliases and defaults map families that are not installed
    // to ones that are (Helvetica to a metric-compatible sans, for one).
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return File{reinterpret_cast<const char*>(file), index};
}

TTF_Font* FontLibrary::font(const std::string& name, int pixels) {
    auto [it, inserted] = fonts_.try_emplace({name, pixels});
    if (!inserted) return it->second.get();

    auto [file, resolved] = files_.try_emplace(name);
    if (resolved) file->second = resolve(name);
    if (!file->second) {
        if (resolved) std::cerr << "lirvo: no installed font answers \"" << name << "\"\n";
        return nullptr;
    }
    it->second.reset(TTF_OpenFontIndex(file->second->path.c_str(), pixels, file->second->index));
    if (!it->second) std::cerr << "lirvo: cannot open " << file->second->path << ": " << TTF_GetError() << '\n';
    return it->second.get();
}

} // namespace ui::sdl

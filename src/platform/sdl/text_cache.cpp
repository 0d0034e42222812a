#include "platform/sdl/text_cache.h"

#include "platform/sdl/colour.h"
#include "platform/sdl/textures.h"

#include <algorithm>

namespace ui::sdl {

namespace {

int wrappedAlign(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::Center: return TTF_WRAPPED_ALIGN_CENTER;
    case TextAlignment::Right: return TTF_WRAPPED_ALIGN_RIGHT;
    case TextAlignment::Left: break;
    }
    return TTF_WRAPPED_ALIGN_LEFT;
}

// The bytes of the first `characters` characters of UTF-8 text.
std::size_t prefixBytes(const std::string& text, int characters) {
    std::size_t bytes = 0;
    for (int i = 0; i < characters && bytes < text.size(); ++i) {
        ++bytes;
        while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) ++bytes;
    }
    return bytes;
}

// One line of text cut to `width` pixels as a label cuts it: what fits, then an ellipsis.
std::string fitted(TTF_Font* font, const std::string& text, int width) {
    constexpr const char* kEllipsis = "\u2026";
    int w = 0, h = 0, ellipsis = 0;
    if (TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0 || w <= width) return text;
    if (TTF_SizeUTF8(font, kEllipsis, &ellipsis, &h) != 0) return text;
    int extent = 0, characters = 0;
    if (TTF_MeasureUTF8(font, text.c_str(), std::max(0, width - ellipsis), &extent, &characters) != 0) return text;
    return text.substr(0, prefixBytes(text, characters)) + kEllipsis;
}

} // namespace

const TextCache::Rendered* TextCache::get(const TextRun& run, int pixels, int width, bool turned) {
    if (run.text.empty() || pixels <= 0) return nullptr;
    const SDL_Color c = sdlColor(run.color);
    const bool fits = run.wraps || run.truncates;
    Key key{run.text,
            run.font.name,
            pixels,
            {c.r, c.g, c.b},
            fits ? width : 0,
            run.wraps,
            run.truncates,
            run.wraps ? run.alignment : TextAlignment::Left,
            turned};
    auto it = entries_.find(key);
    if (it == entries_.end()) {
        const SurfacePtr surface = render(key);
        if (!surface) return nullptr;
        TexturePtr texture = makeTexture(renderer_, *surface, turned);
        if (!texture) return nullptr;
        Entry entry{std::move(texture), {nullptr, surface->w, surface->h}};
        entry.rendered.texture = entry.texture.get();
        it = entries_.emplace(std::move(key), std::move(entry)).first;
    }
    it->second.used = true;
    return &it->second.rendered;
}

SurfacePtr TextCache::render(const Key& key) {
    TTF_Font* font = fonts_.font(key.font, key.pixels);
    if (!font) return nullptr;
    const SDL_Color color{key.color[0], key.color[1], key.color[2], 255};
    SurfacePtr surface;
    if (key.wraps) {
        TTF_SetFontWrappedAlign(font, wrappedAlign(key.alignment));
        surface.reset(TTF_RenderUTF8_Blended_Wrapped(font, key.text.c_str(), color, static_cast<Uint32>(key.width)));
    } else {
        const std::string line = key.truncates ? fitted(font, key.text, key.width) : key.text;
        surface.reset(TTF_RenderUTF8_Blended(font, line.c_str(), color));
    }
    return surface;
}

void TextCache::endFrame() {
    std::erase_if(entries_, [](const auto& entry) { return !entry.second.used; });
    for (auto& [key, entry] : entries_) entry.used = false;
}

} // namespace ui::sdl

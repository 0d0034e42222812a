#include "platform/sdl/text_cache.h"

#include "platform/sdl/colour.h"
#include "platform/sdl/textures.h"

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

} // namespace

const TextCache::Rendered* TextCache::get(const TextRun& run, int pixels, int wrapWidth, bool turned) {
    if (run.text.empty() || pixels <= 0) return nullptr;
    const SDL_Color c = sdlColor(run.color);
    Key key{run.text, run.font.name, pixels, {c.r, c.g, c.b}, wrapWidth,
            wrapWidth > 0 ? run.alignment : TextAlignment::Left, turned};
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
    if (key.wrapWidth > 0) {
        TTF_SetFontWrappedAlign(font, wrappedAlign(key.alignment));
        surface.reset(TTF_RenderUTF8_Blended_Wrapped(font, key.text.c_str(), color, static_cast<Uint32>(key.wrapWidth)));
    } else {
        surface.reset(TTF_RenderUTF8_Blended(font, key.text.c_str(), color));
    }
    return surface;
}

void TextCache::endFrame() {
    std::erase_if(entries_, [](const auto& entry) { return !entry.second.used; });
    for (auto& [key, entry] : entries_) entry.used = false;
}

} // namespace ui::sdl

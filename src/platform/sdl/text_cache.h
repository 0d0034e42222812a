#pragma once

#include "platform/canvas.h"
#include "platform/sdl/font_library.h"
#include "platform/sdl/handles.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace ui::sdl {

// Texts rendered once into textures and reused: one entry per text, font,
// pixel size, colour and wrapping. An entry that a frame did not use is
// dropped at the frame's end, so a label whose text changes (the clock, every
// second) leaves nothing behind.
class TextCache {
public:
    struct Rendered {
        SDL_Texture* texture;
        int width; // pixels, before any turn
        int height;
    };

    TextCache(SDL_Renderer* renderer, FontLibrary& fonts) : renderer_(renderer), fonts_(fonts) {}

    // The run rendered with an em of `pixels` for a box `width` pixels wide:
    // wrapped at that width when the run wraps, else on one line, cut with an
    // ellipsis where it is longer if the run truncates; `turned`: its texture
    // turned a quarter clockwise (see makeTexture). Null when the text is
    // empty or its font is missing.
    const Rendered* get(const TextRun& run, int pixels, int width, bool turned);
    // Drops what has not been used since the last call.
    void endFrame();
    std::size_t size() const { return entries_.size(); }

private:
    struct Key {
        std::string text;
        std::string font;
        int pixels;
        std::array<std::uint8_t, 3> color;
        int width; // 0 when it neither wraps nor truncates
        bool wraps;
        bool truncates;
        TextAlignment alignment; // lines of wrapped text align within their block
        bool turned;

        // Not <=>: the browser's C++ library does not compare strings and arrays that way.
        auto fields() const { return std::tie(text, font, pixels, color, width, wraps, truncates, alignment, turned); }
        bool operator<(const Key& other) const { return fields() < other.fields(); }
    };
    struct Entry {
        TexturePtr texture;
        Rendered rendered;
        bool used = true;
    };

    SurfacePtr render(const Key& key);

    SDL_Renderer* renderer_;
    FontLibrary& fonts_;
    std::map<Key, Entry> entries_;
};

} // namespace ui::sdl

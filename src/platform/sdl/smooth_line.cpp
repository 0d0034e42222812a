#include "platform/sdl/smooth_line.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui::sdl {

namespace {

// Every byte of `pixel` moved `weight` 256ths of the way to the same byte of
// `colour`: whatever the order of the channels, and the alpha byte (if any)
// goes towards opaque as it should.
Uint32 blend(Uint32 pixel, Uint32 colour, Uint32 weight) {
    const Uint32 keep = 256 - weight;
    const Uint32 low = ((colour & 0x00ff00ffu) * weight + (pixel & 0x00ff00ffu) * keep) >> 8;
    const Uint32 high = ((colour >> 8) & 0x00ff00ffu) * weight + ((pixel >> 8) & 0x00ff00ffu) * keep;
    return (low & 0x00ff00ffu) | (high & 0xff00ff00u);
}

} // namespace

void drawSmoothLine(SDL_Surface& surface, const SDL_Rect& clip, Point from, Point to, float width, SDL_Color color) {
    const SDL_PixelFormat& f = *surface.format;
    if (f.BytesPerPixel != 4 || color.a == 0 || !(width > 0 && width < 1e6f)) return;
    SDL_Rect area;
    const SDL_Rect whole{0, 0, surface.w, surface.h};
    if (!SDL_IntersectRect(&clip, &whole, &area)) return;

    // Walk the major axis one pixel at a time; across it, the pixels the line reaches.
    const bool steep = std::abs(to.y - from.y) > std::abs(to.x - from.x);
    float major0 = steep ? from.y : from.x, minor0 = steep ? from.x : from.y;
    float major1 = steep ? to.y : to.x, minor1 = steep ? to.x : to.y;
    if (major0 > major1) {
        std::swap(major0, major1);
        std::swap(minor0, minor1);
    }
    const float length = std::hypot(major1 - major0, minor1 - minor0);
    if (!(length > 0 && std::isfinite(length))) return; // nothing to draw, or no place to draw it
    const float slope = major1 > major0 ? (minor1 - minor0) / (major1 - major0) : 0;
    // Distances across the minor axis are `cosine` times as long across the line.
    const float cosine = (major1 - major0) / length;
    const float half = width / 2;
    const float reach = (half + 0.5f) / cosine; // any part of a pixel
    const float solid = (half - 0.5f) / cosine; // all of it

    const int majorLow = steep ? area.y : area.x, majorHigh = (steep ? area.y + area.h : area.x + area.w) - 1;
    const int minorLow = steep ? area.x : area.y, minorHigh = (steep ? area.x + area.w : area.y + area.h) - 1;
    float majorFrom = major0 - 0.5f, majorTo = major1 - 0.5f;
    // Only the steps where the line reaches the clip across it.
    if (slope != 0) {
        const float a = major0 - 0.5f + (static_cast<float>(minorLow) - reach - minor0) / slope;
        const float b = major0 - 0.5f + (static_cast<float>(minorHigh + 1) + reach - minor0) / slope;
        majorFrom = std::max(majorFrom, std::min(a, b) - 1);
        majorTo = std::min(majorTo, std::max(a, b) + 1);
    }
    // Within the clip before any cast to int.
    const auto within = [](float at, int low, int high) {
        return std::clamp(at, static_cast<float>(low - 1), static_cast<float>(high + 1));
    };
    const int first = std::max(majorLow, static_cast<int>(std::ceil(within(majorFrom, majorLow, majorHigh))));
    const int last = std::min(majorHigh, static_cast<int>(std::floor(within(majorTo, majorLow, majorHigh))));

    const bool locked = SDL_MUSTLOCK(&surface);
    if (locked && SDL_LockSurface(&surface) != 0) return;
    auto* const pixels = static_cast<Uint8*>(surface.pixels);
    const Uint32 colour = SDL_MapRGBA(&f, color.r, color.g, color.b, 255);
    const float opacity = static_cast<float>(color.a) * (256.f / 255.f);
    const auto core = static_cast<Uint32>(opacity + 0.5f);
    // Steps along the minor axis, in pixels.
    const std::ptrdiff_t across = steep ? 1 : surface.pitch / 4, along = steep ? surface.pitch / 4 : 1;
    const auto pixelAt = [&](int m, int n) {
        return reinterpret_cast<Uint32*>(pixels) + static_cast<std::ptrdiff_t>(m) * along +
               static_cast<std::ptrdiff_t>(n) * across;
    };
    const auto edge = [&](int m, int n, float centre) {
        const float distance = std::abs(static_cast<float>(n) + 0.5f - centre) * cosine;
        const auto weight = static_cast<Uint32>(std::clamp(half + 0.5f - distance, 0.f, 1.f) * opacity + 0.5f);
        if (weight > 0) *pixelAt(m, n) = blend(*pixelAt(m, n), colour, weight);
    };
    for (int m = first; m <= last; ++m) {
        const float centre = minor0 + slope * (static_cast<float>(m) + 0.5f - major0);
        const int low = std::max(minorLow, static_cast<int>(std::floor(within(centre - reach, minorLow, minorHigh))));
        const int high = std::min(minorHigh, static_cast<int>(std::floor(within(centre + reach, minorLow, minorHigh))));
        // Pixels whose centres lie within `solid` of the line are covered wholly.
        const int solidLow =
            std::max(low, static_cast<int>(std::ceil(within(centre - solid - 0.5f, minorLow, minorHigh))));
        const int solidHigh =
            std::min(high, static_cast<int>(std::floor(within(centre + solid - 0.5f, minorLow, minorHigh))));
        for (int n = low; n < std::min(solidLow, high + 1); ++n) edge(m, n, centre);
        for (int n = solidLow; n <= solidHigh; ++n) {
            Uint32* const p = pixelAt(m, n);
            *p = core >= 256 ? colour : blend(*p, colour, core);
        }
        for (int n = std::max(solidHigh + 1, solidLow); n <= high; ++n) edge(m, n, centre);
    }
    if (locked) SDL_UnlockSurface(&surface);
}

} // namespace ui::sdl

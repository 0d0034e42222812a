#pragma once

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace testkit {

// One pixel's colour, 0 to 255 a component.
struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Rgb& c) {
        return os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
    }
};

inline Rgb pixelAt(SDL_Surface& surface, int x, int y) {
    Uint32 value = 0;
    SDL_LockSurface(&surface);
    SDL_memcpy(&value,
               static_cast<const Uint8*>(surface.pixels) + y * surface.pitch + x * surface.format->BytesPerPixel,
               surface.format->BytesPerPixel);
    SDL_UnlockSurface(&surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface.format, &r, &g, &b);
    return {r, g, b};
}

// The largest difference of one component.
inline int colourDistance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

} // namespace testkit

#include "platform/sdl/textures.h"

namespace ui::sdl {

SurfacePtr quarterTurned(SDL_Surface& surface) {
    const SurfacePtr source(SDL_ConvertSurfaceFormat(&surface, SDL_PIXELFORMAT_ARGB8888, 0));
    if (!source) return nullptr;
    SurfacePtr turned(SDL_CreateRGBSurfaceWithFormat(0, source->h, source->w, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!turned) return nullptr;
    const int w = source->w, h = source->h;
    for (int y = 0; y < h; ++y) {
        const auto* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(source->pixels) + y * source->pitch);
        // Row y of the source becomes column h - 1 - y, read downwards.
        for (int x = 0; x < w; ++x) {
            auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(turned->pixels) + x * turned->pitch);
            out[h - 1 - y] = row[x];
        }
    }
    return turned;
}

SurfacePtr resized(SDL_Surface& surface, int width, int height) {
    const SurfacePtr source(SDL_ConvertSurfaceFormat(&surface, SDL_PIXELFORMAT_ARGB8888, 0));
    if (!source) return nullptr;
    SurfacePtr result(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!result || SDL_SoftStretchLinear(source.get(), nullptr, result.get(), nullptr) != 0) return nullptr;
    return result;
}

TexturePtr makeTexture(SDL_Renderer* renderer, SDL_Surface& surface, bool turned) {
    SurfacePtr turnedCopy;
    if (turned) {
        turnedCopy = quarterTurned(surface);
        if (!turnedCopy) return nullptr;
    }
    TexturePtr texture(SDL_CreateTextureFromSurface(renderer, turned ? turnedCopy.get() : &surface));
    if (texture) {
        SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeLinear);
    }
    return texture;
}

} // namespace ui::sdl

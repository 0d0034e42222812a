#pragma once

#include "platform/sdl/handles.h"

namespace ui::sdl {

// A texture of the surface, blended and smoothly scaled; `turned`: the
// surface turned a quarter clockwise first.
//
// Quads are drawn so that a texture's rows always run across the device:
// where the transform would stand them upright, the canvas draws the turned
// texture instead. Renderers then see only upright or mirrored rectangles,
// which SDL's software renderer copies fast (and which its geometry path,
// unlike turned ones, draws faithfully).
TexturePtr makeTexture(SDL_Renderer* renderer, SDL_Surface& surface, bool turned);

// A copy of the surface turned a quarter clockwise (32-bit ARGB).
SurfacePtr quarterTurned(SDL_Surface& surface);

// A copy of the surface smoothly scaled to `width` x `height` (32-bit ARGB).
SurfacePtr resized(SDL_Surface& surface, int width, int height);

} // namespace ui::sdl

#pragma once

#include "platform/geometry.h"

#include <SDL.h>

namespace ui::sdl {

// Draws a line `width` pixels thick with soft edges straight onto a surface
// of 32-bit pixels, blended over what is there, and only within `clip`.
// Each pixel takes the share of it that the line covers, judged by its
// centre's distance from the line. SDL's software renderer has no such line,
// and its triangles cost the area of their whole box, so a long slanted band
// of triangles costs many times the pixels it covers; this visits only those.
void drawSmoothLine(SDL_Surface& surface, const SDL_Rect& clip, Point from, Point to, float width, SDL_Color color);

} // namespace ui::sdl

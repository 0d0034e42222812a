#pragma once

#include "platform/geometry.h"
#include "platform/sdl/handles.h"

#include <filesystem>

namespace ui {
class View;
}

namespace ui::sdl {

// The view tree as the window would show it at `scale` pixels per point,
// drawn by SDL's software renderer into a new surface (H x W points,
// landscape). Null when the surface cannot be made.
SurfacePtr renderLandscape(View& root, Size portrait, float scale);

// Writes a surface as a PNG file; false (and SDL's error) when it cannot.
bool savePng(SDL_Surface& surface, const std::filesystem::path& file);

} // namespace ui::sdl

#pragma once

#include "platform/geometry.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace ui::sdl {

// A colour component from 0 to 1 as a byte.
inline Uint8 byte(float component) { return static_cast<Uint8>(std::lround(std::clamp(component, 0.f, 1.f) * 255)); }

inline SDL_Color sdlColor(Color c) { return {byte(c.red), byte(c.green), byte(c.blue), byte(c.alpha)}; }

} // namespace ui::sdl

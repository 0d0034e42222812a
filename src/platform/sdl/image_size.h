#pragma once

#include "platform/geometry.h"

#include <filesystem>
#include <optional>

namespace ui::sdl {

// The size in pixels of the picture in `file`, read with SDL2_image; none
// when it cannot be read, and the reason on standard error.
std::optional<Size> readImageSize(const std::filesystem::path& file);

} // namespace ui::sdl

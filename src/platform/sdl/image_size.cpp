#include "platform/sdl/image_size.h"

#include "platform/sdl/handles.h"

#include <SDL_image.h>

#include <iostream>

namespace ui::sdl {

std::optional<Size> readImageSize(const std::filesystem::path& file) {
    const SurfacePtr surface(IMG_Load(file.c_str()));
    if (!surface) {
        std::cerr << "lirvo: cannot load image " << file << ": " << IMG_GetError() << '\n';
        return std::nullopt;
    }
    return Size{static_cast<float>(surface->w), static_cast<float>(surface->h)};
}

} // namespace ui::sdl

#include "platform/sdl/snapshot.h"

#include "platform/sdl/font_library.h"
#include "platform/sdl/sdl_canvas.h"

#include <SDL_image.h>

#include <cmath>

namespace ui::sdl {

SurfacePtr renderLandscape(View& root, Size portrait, float scale) {
    const int width = static_cast<int>(std::lround(portrait.height * scale));
    const int height = static_cast<int>(std::lround(portrait.width * scale));
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) return nullptr;
    const RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
    if (!renderer) return nullptr;
    FontLibrary fonts;
    SdlCanvas canvas(renderer.get(), fonts, surface.get());
    canvas.paint(root, Landscape(portrait, {static_cast<float>(width), static_cast<float>(height)}));
    SDL_RenderPresent(renderer.get());
    return surface;
}

bool savePng(SDL_Surface& surface, const std::filesystem::path& file) {
    return IMG_SavePNG(&surface, file.c_str()) == 0;
}

} // namespace ui::sdl

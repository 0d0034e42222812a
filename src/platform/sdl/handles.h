#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>

namespace ui::sdl {

// Owning handles for SDL objects, freed by the matching SDL call.
template <auto Free>
struct Freer {
    template <class T>
    void operator()(T* p) const {
        Free(p);
    }
};

using WindowPtr = std::unique_ptr<SDL_Window, Freer<SDL_DestroyWindow>>;
using RendererPtr = std::unique_ptr<SDL_Renderer, Freer<SDL_DestroyRenderer>>;
using TexturePtr = std::unique_ptr<SDL_Texture, Freer<SDL_DestroyTexture>>;
using SurfacePtr = std::unique_ptr<SDL_Surface, Freer<SDL_FreeSurface>>;
using FontPtr = std::unique_ptr<TTF_Font, Freer<TTF_CloseFont>>;

} // namespace ui::sdl

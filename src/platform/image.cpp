#include "platform/image.h"

#include <SDL_image.h>

#include <iostream>
#include <map>

namespace ui {

namespace {

std::filesystem::path& folder() {
    static std::filesystem::path path = "resources";
    return path;
}

std::map<std::string, std::shared_ptr<const Image>>& cache() {
    static std::map<std::string, std::shared_ptr<const Image>> images;
    return images;
}

std::shared_ptr<const Image> load(const std::string& name) {
    const std::filesystem::path path = folder() / name;
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (!surface) {
        std::cerr << "lirvo: cannot load image " << path << ": " << IMG_GetError() << '\n';
        return nullptr;
    }
    Size size{static_cast<float>(surface->w), static_cast<float>(surface->h)};
    SDL_FreeSurface(surface);
    return std::make_shared<const Image>(name, path, size);
}

} // namespace

std::shared_ptr<const Image> Image::named(const std::string& name) {
    auto [it, inserted] = cache().try_emplace(name);
    if (inserted) it->second = load(name);
    return it->second;
}

void Image::setResourceFolder(std::filesystem::path path) {
    folder() = std::move(path);
    cache().clear();
}

const std::filesystem::path& Image::resourceFolder() { return folder(); }

} // namespace ui

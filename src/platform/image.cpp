#include "platform/image.h"

#include "platform/backend.h"

#include <algorithm>
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

// name.ext, name@2x.ext and name@3x.ext, those there are, by scale.
Image::Files variants(const std::filesystem::path& path) {
    Image::Files files;
    for (const int scale : {1, 2, 3}) {
        std::filesystem::path variant = path;
        if (scale > 1)
            variant.replace_filename(path.stem().string() + '@' + std::to_string(scale) + "x" +
                                     path.extension().string());
        if (std::filesystem::exists(variant)) files.emplace_back(scale, std::move(variant));
    }
    return files;
}

// A page fetches only the scale of its screen: the size in points comes
// from whichever variant there is.
std::shared_ptr<const Image> load(const std::string& name) {
    Image::Files files = variants(folder() / name);
    if (files.empty()) return nullptr;
    const auto& [scale, first] = files.front();
    const std::optional<Size> pixels = Backend::current().imageSize(first);
    if (!pixels) return nullptr;
    const Size points{pixels->width / static_cast<float>(scale), pixels->height / static_cast<float>(scale)};
    return std::make_shared<const Image>(name, std::move(files), points);
}

} // namespace

Image::Image(std::string name, Files files, Size size)
    : name_(std::move(name)), size_(size), files_(std::move(files)) {}

const std::filesystem::path& Image::file(int pixelsPerPoint) const {
    const auto fine =
        std::find_if(files_.begin(), files_.end(), [&](const auto& f) { return f.first >= pixelsPerPoint; });
    return (fine == files_.end() ? files_.back() : *fine).second;
}

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

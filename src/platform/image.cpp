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

std::shared_ptr<const Image> load(const std::string& name) {
    const std::filesystem::path path = folder() / name;
    const std::optional<Size> pixels = Backend::current().imageSize(path);
    if (!pixels) return nullptr;
    return std::make_shared<const Image>(name, path, *pixels);
}

} // namespace

Image::Image(std::string name, std::filesystem::path path, Size size)
    : name_(std::move(name)), path_(std::move(path)), size_(size), files_{{1, path_}} {
    for (const int scale : {2, 3}) {
        std::filesystem::path variant = path_;
        variant.replace_filename(path_.stem().string() + '@' + std::to_string(scale) + "x" +
                                 path_.extension().string());
        if (std::filesystem::exists(variant)) files_.emplace_back(scale, std::move(variant));
    }
}

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

#pragma once

#include "platform/geometry.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// An image resource, by file name. Loaded once, its size in points read from
// the file by the back end. Beside name.ext there may be name@2x.ext and
// name@3x.ext, the same picture at two and three pixels a point, for
// high-density displays.
class Image {
public:
    // The image of that name in the resource folder, or null when there is none.
    static std::shared_ptr<const Image> named(const std::string& name);

    // Where resources are looked up; set once at start.
    static void setResourceFolder(std::filesystem::path folder);
    static const std::filesystem::path& resourceFolder();

    const std::string& name() const { return name_; }
    const std::filesystem::path& path() const { return path_; }
    Size size() const { return size_; }
    // The file to draw at `pixelsPerPoint`: the variant of the smallest scale
    // that is at least as fine, else the finest there is.
    const std::filesystem::path& file(int pixelsPerPoint) const;

    // Looks for the variants beside `path`.
    Image(std::string name, std::filesystem::path path, Size size);

private:
    std::string name_;
    std::filesystem::path path_;
    Size size_;
    std::vector<std::pair<int, std::filesystem::path>> files_; // by scale, rising
};

} // namespace ui

#pragma once

#include "platform/geometry.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// An image resource, by file name. Loaded once, its size in points read from
// the file by the back end. name.ext, name@2x.ext and name@3x.ext are the
// same picture at one, two and three pixels a point, for high-density
// displays; any of them may be missing, as long as one is there.
class Image {
public:
    // The image of that name in the resource folder, or null when there is none.
    static std::shared_ptr<const Image> named(const std::string& name);

    // Where resources are looked up; set once at start.
    static void setResourceFolder(std::filesystem::path folder);
    static const std::filesystem::path& resourceFolder();

    const std::string& name() const { return name_; }
    // Its file of the smallest scale there is.
    const std::filesystem::path& path() const { return files_.front().second; }
    Size size() const { return size_; }
    // The file to draw at `pixelsPerPoint`: the variant of the smallest scale
    // that is at least as fine, else the finest there is.
    const std::filesystem::path& file(int pixelsPerPoint) const;

    // Its files by scale, rising; at least one.
    using Files = std::vector<std::pair<int, std::filesystem::path>>;
    Image(std::string name, Files files, Size size);

private:
    std::string name_;
    Size size_;
    Files files_;
};

} // namespace ui

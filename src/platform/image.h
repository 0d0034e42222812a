#pragma once

#include "platform/geometry.h"

#include <filesystem>
#include <memory>
#include <string>

namespace ui {

// An image resource, by file name. Loaded once, its size read from the file.
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

    Image(std::string name, std::filesystem::path path, Size size)
        : name_(std::move(name)), path_(std::move(path)), size_(size) {}

private:
    std::string name_;
    std::filesystem::path path_;
    Size size_;
};

} // namespace ui

#pragma once

#include <filesystem>

namespace testkit {

// A new, empty folder of its own under the system's temporary folder,
// removed with all it holds when the test is done.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace testkit

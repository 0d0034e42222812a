#pragma once

#include <boost/core/noncopyable.hpp>

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

namespace testkit {

// A new, empty folder of its own under the system's temporary folder,
// removed with all it holds when the test is done.
class TempFolder : boost::noncopyable {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lirvo-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        // A test may have taken the write permission away.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace testkit

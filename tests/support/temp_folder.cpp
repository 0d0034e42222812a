#include "support/temp_folder.h"

#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace testkit {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lirvo-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // A test may have taken the write permission away.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace testkit

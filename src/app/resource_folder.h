#pragma once

#include <filesystem>
#include <optional>

namespace app {

// The folder of the game's pictures: beside the executable in a build, or
// in the data folder of an installation. None when neither holds them.
std::optional<std::filesystem::path> findResourceFolder(const std::filesystem::path& executableFolder);

} // namespace app

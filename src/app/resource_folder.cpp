#include "app/resource_folder.h"

namespace app {

std::optional<std::filesystem::path> findResourceFolder(const std::filesystem::path& executableFolder) {
    // LIRVO_DATA_FROM_BIN: the installed data folder, relative to the installed executable.
    for (const auto& candidate :
         {executableFolder / "resources", executableFolder / LIRVO_DATA_FROM_BIN / "resources"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate / "touchCircle.png", error)) return candidate.lexically_normal();
    }
    return std::nullopt;
}

} // namespace app

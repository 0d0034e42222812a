#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace saves {

// The ending of the temporary files that writeFileAtomically leaves behind
// when it is killed midway; the saved-game list never shows them.
inline constexpr std::string_view kTemporaryEnding = ".tmp";

// Puts `bytes` at `path` whole, replacing any file there, and only answers
// once they are on disk: written to a temporary file in the same folder,
// flushed, renamed over `path`, then the folder flushed. A crash or a kill at
// any moment leaves the old file or the new one. Answers why it failed, in the
// system's words, or nothing; a failure leaves the old file as it was.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace saves

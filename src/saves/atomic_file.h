#pragma once

#include "core/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace saves {

// The ending of the temporary files that writeFileAtomically leaves behind
// when it is killed midway; the saved-game list never shows them.
inline constexpr std::string_view kTemporaryEnding = ".tmp";

// True for a temporary file of writeFileAtomically's that no save will ever
// finish: its name (hidden, the writer's process id, six letters or digits of
// its own, kTemporaryEnding) names a process that has gone, or this one,
// which has no save under way when it asks. Names from before the process id
// was put in them count as gone. Another copy of the game still running may
// be in the middle of a save: its file is no leftover.
bool isAbandonedTemporary(std::string_view name);

// What writeFileAtomically does with a file already at its path.
enum class Placement { Replace, KeepExisting };

// Puts `bytes` at `path` whole and only answers once they are on disk:
// written to a temporary file in the same folder, flushed, renamed to
// `path`, then the folder flushed. A crash or a kill at any moment leaves the
// old file or the new one. A failure, told in the system's words, leaves the
// old file as it was. With KeepExisting, a file already at `path` (another
// program's, even one put there a moment ago) stays and the answer is false.
// Once the file is in place the save has succeeded: a folder that cannot be
// flushed (some file systems cannot) only leaves the rename to the system.
core::Result<bool> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                       Placement placement = Placement::Replace);

// Puts the folder's entries on disk (renames and removals within it). Best
// effort: some file systems cannot, and failures are not reported.
void flushFolder(const std::filesystem::path& folder);

} // namespace saves

#pragma once

#include "saves/record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace saves {

struct PreparedFolder;

// The saved-game folder: one property-list file per saved game, named by its
// save name plus ".plist". It keeps nothing but its path: every operation
// looks at the folder afresh.
class SaveFolder {
public:
    explicit SaveFolder(std::filesystem::path path) : path_(std::move(path)) {}

    // The folder at the program's start: `chosen` when the command line names
    // one (--saves DIR), else $XDG_DATA_HOME/lirvo, else ~/.local/share/lirvo.
    // It is created, with any missing parents, when it does not exist, and
    // the temporary files of saves killed midway are removed from it. A
    // folder that cannot be made is still answered, with why, as every save
    // tries again.
    static PreparedFolder prepare(const std::optional<std::filesystem::path>& chosen);

    const std::filesystem::path& path() const { return path_; }
    // Where the saved game `saveName` is written.
    std::filesystem::path fileFor(const std::string& saveName) const;

    // Writes the record as the saved game `saveName`, replacing one of that
    // name, and answers only once it is on disk, or says why it could not.
    // The folder is made again first if it has gone.
    core::Result<> write(const std::string& saveName, const SavedGameRecord& record) const;

    // Reads the saved game `saveName` (as list() gives it), or why it cannot.
    core::Result<SavedGameRecord> read(const std::string& saveName) const;

    struct Listing {
        std::vector<std::string> saveNames; // newest first; subfolders as "sub/name"
        std::string problem;                // why the folder could not be read, if so
    };
    // Every file in the folder and its subfolders whose ending is ".plist" in
    // any case: the last written first, files of one time by save name.
    Listing list() const;

private:
    // Makes the folder, with any missing parents, unless it is there.
    core::Result<> make() const;
    // Removes the temporary files that saves killed midway left in the folder (not in its subfolders).
    void removeTemporaries() const;
    // The file read for `saveName`: fileFor's, or one whose ending differs only in case.
    std::filesystem::path existingFileFor(const std::string& saveName) const;

    std::filesystem::path path_;
};

// The folder the program keeps its saved games in, or none when no folder
// is named; and why it has none or cannot be made, if so.
struct PreparedFolder {
    std::optional<SaveFolder> folder;
    std::string problem;
};

} // namespace saves

#pragma once

#include "saves/save_store.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace saves {

struct PreparedFolder;

// The saved-game folder: one property-list file per saved game, named by its
// save name plus ".plist". It keeps nothing but its path: every operation
// looks at the folder afresh, and answers before it returns.
class SaveFolder final : public SaveStore {
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

    // Keeps the save under the name chooseName gives, never over a file
    // another program put there meanwhile, and answers that name only once it
    // is on disk, or says why it could not. The folder is made again first if
    // it has gone.
    core::Result<std::string> write(const SaveRequest& request) const;

    // Reads the saved game `saveName` (as list() gives it), or why it cannot.
    core::Result<SavedGameRecord> read(const std::string& saveName) const;

    // Every file in the folder and its subfolders ("sub/name") whose ending is
    // ".plist" in any case: the last written first, files of one time by save
    // name. A folder that is not there (deleted meanwhile) holds none.
    Listing list() const;

    core::Result<> remove(const std::string& saveName) const;

    // The file of the personal bests. Its ending is not a saved game's, so the list never shows it.
    std::filesystem::path bestsFile() const { return path_ / "records.xml"; }
    // The bests in bestsFile(). A file that cannot be read is renamed
    // "records (damaged).xml" (or "records (damaged) (2).xml" and so on) and
    // the bests start anew.
    KeptBests readBests() const;
    core::Result<> writeBests(const PersonalBests& bests) const;

    void list(Reply<Listing> reply) override { reply(list()); }
    void read(const std::string& saveName, Reply<core::Result<SavedGameRecord>> reply) override {
        reply(read(saveName));
    }
    void write(SaveRequest request, Reply<core::Result<std::string>> reply) override { reply(write(request)); }
    void remove(const std::string& saveName, Reply<core::Result<>> reply) override { reply(remove(saveName)); }
    void readBests(Reply<KeptBests> reply) override { reply(readBests()); }
    void writeBests(const PersonalBests& bests, Reply<core::Result<>> reply) override { reply(writeBests(bests)); }

private:
    // Makes the folder, with any missing parents, unless it is there.
    core::Result<> make() const;
    // Removes the temporary files that saves killed midway left in the folder (not in its subfolders).
    void removeTemporaries() const;
    // The file read for `saveName`: fileFor's, or one whose ending differs only in case.
    std::filesystem::path existingFileFor(const std::string& saveName) const;

    std::filesystem::path path_;
};

// Where saves go when no folder is named: it lists none, and says why it keeps none.
class NoFolder final : public SaveStore {
public:
    static constexpr const char* kReason =
        "no folder for saved games: neither XDG_DATA_HOME nor HOME is set; start Lirvo with --saves DIR";

    void list(Reply<Listing> reply) override { reply({}); }
    void read(const std::string&, Reply<core::Result<SavedGameRecord>> reply) override {
        reply(core::Failure{kReason});
    }
    void write(SaveRequest, Reply<core::Result<std::string>> reply) override { reply(core::Failure{kReason}); }
    void remove(const std::string&, Reply<core::Result<>> reply) override { reply(core::Failure{kReason}); }
    void readBests(Reply<KeptBests> reply) override { reply({}); }
    void writeBests(const PersonalBests&, Reply<core::Result<>> reply) override { reply(core::Failure{kReason}); }
};

// The folder the program keeps its saved games in, or none when no folder
// is named; and why it has none or cannot be made, if so.
struct PreparedFolder {
    std::optional<SaveFolder> folder;
    std::string problem;
    NoFolder none{};

    // Where the game saves: the folder, or with none, nowhere, every save saying why.
    SaveStore& store() { return folder ? static_cast<SaveStore&>(*folder) : none; }
};

} // namespace saves

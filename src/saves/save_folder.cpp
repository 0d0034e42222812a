#include "saves/save_folder.h"

#include "saves/atomic_file.h"
#include "saves/property_list.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace saves {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEnding = ".plist";

// What the player is told of records that cannot be read: these, and where they went between them.
constexpr const char* kDamagedBests = "The records could not be read ";
constexpr const char* kNewBests = "New records start.";

// How many games may share one name, numbered; a clock gone wrong cannot make a save loop for ever.
constexpr int kMaxNumberedNames = 1000;

std::optional<fs::path> environmentFolder(const char* variable) {
    const char* value = std::getenv(variable);
    // The data-folder convention ignores relative paths.
    if (!value || value[0] != '/') return std::nullopt;
    return fs::path(value);
}

bool isSaveFile(const fs::directory_entry& entry) {
    std::error_code error;
    if (!entry.is_regular_file(error)) return false;
    std::string ending = entry.path().extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
    return ending == kEnding;
}

// `what`: the file, as the player knows it ("saved game").
core::Failure systemFailure(const std::string& what, const char* step) {
    return {"The " + what + " cannot be " + step + ": " + std::strerror(errno) + "."};
}

// The bytes of the open file `fd`, at most kMaxFileSize + 1 of them.
core::Result<std::string> readOpenFile(int fd, const std::string& what) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return systemFailure(what, "read");
    if (S_ISDIR(info.st_mode)) return core::Failure{"This " + what + " is a folder, not a file."};
    if (!S_ISREG(info.st_mode)) return core::Failure{"This " + what + " is not a regular file."};
    // Told at its real size, before anything is read.
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > kMaxFileSize) return core::Failure{checkFileSize(size).reason()};
    // One byte more than its size shows a file that grew meanwhile.
    std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return systemFailure(what, "read");
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

// The file's bytes, at most kMaxFileSize + 1 of them, or why it cannot be read.
// Opening does not wait (a pipe named like a save would block a plain open).
core::Result<std::string> readSmallFile(const fs::path& path, const std::string& what) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return systemFailure(what, "opened");
    auto bytes = readOpenFile(fd, what);
    ::close(fd);
    return bytes;
}

} // namespace

PreparedFolder SaveFolder::prepare(const std::optional<fs::path>& chosen) {
    fs::path path;
    if (chosen) {
        path = *chosen;
    } else if (auto data = environmentFolder("XDG_DATA_HOME")) {
        path = *data / "lirvo";
    } else if (auto home = environmentFolder("HOME")) {
        path = *home / ".local" / "share" / "lirvo";
    } else {
        return {std::nullopt,
                "Neither XDG_DATA_HOME nor HOME names a folder for saved games; give one with --saves DIR."};
    }
    SaveFolder folder(path);
    if (auto made = folder.make(); !made) {
        return {std::move(folder),
                "The saved-game folder " + path.string() + " cannot be made (" + made.reason() + ")."};
    }
    folder.removeTemporaries();
    return {std::move(folder), {}};
}

core::Result<> SaveFolder::make() const {
    std::error_code error;
    if (fs::create_directories(path_, error)) {
        // Saved games are the player's own business; a folder left more open still holds them.
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, ignored);
    }
    if (error) return core::Failure{"creating the folder: " + error.message()};
    return {};
}

void SaveFolder::removeTemporaries() const {
    std::error_code error;
    for (fs::directory_iterator it(path_, error); !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored; // a file that stays is no harm: the list never shows it
        if (isAbandonedTemporary(it->path().filename().string()) && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

fs::path SaveFolder::fileFor(const std::string& saveName) const { return path_ / (saveName + kEnding); }

core::Result<std::string> SaveFolder::write(const SaveRequest& request) const {
    // The folder may have been deleted since the start, or not made then.
    if (auto made = make(); !made) return core::Failure{made.reason()};
    const std::string bytes = encodeRecord(request.record);
    const auto isTaken = [this](const std::string& name) {
        std::error_code error;
        return fs::exists(fs::symlink_status(fileFor(name), error));
    };
    for (;;) {
        const std::string name = chooseName(request, isTaken, kMaxNumberedNames);
        if (name.empty()) return core::Failure{"there are too many saved games of this name"};
        const Placement placement = name == request.ownEarlier ? Placement::Replace : Placement::KeepExisting;
        const core::Result<bool> placed = writeFileAtomically(fileFor(name), bytes, placement);
        if (!placed) return core::Failure{placed.reason()};
        // Another program took the name since it was chosen: the next one is free.
        if (!*placed) continue;
        if (request.supersedes && !request.ownEarlier.empty() && name != request.ownEarlier) {
            // The new save is kept; an earlier one that stays is only one row too many.
            (void)remove(request.ownEarlier);
        }
        return name;
    }
}

core::Result<> SaveFolder::remove(const std::string& saveName) const {
    std::error_code error;
    // A save gone already is as asked.
    if (fs::remove(existingFileFor(saveName), error)) flushFolder(path_);
    if (error) return core::Failure{"The saved game cannot be deleted: " + error.message() + "."};
    return {};
}

fs::path SaveFolder::existingFileFor(const std::string& saveName) const {
    const fs::path exact = fileFor(saveName);
    std::error_code error;
    if (fs::exists(fs::symlink_status(exact, error))) return exact;
    // The list also offers files ending in ".PLIST" and the like.
    for (fs::directory_iterator it(exact.parent_path(), error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        if (it->path().stem() == exact.stem() && isSaveFile(*it)) return it->path();
    }
    return exact;
}

core::Result<SavedGameRecord> SaveFolder::read(const std::string& saveName) const {
    const core::Result<std::string> bytes = readSmallFile(existingFileFor(saveName), "saved game");
    if (!bytes) return core::Failure{bytes.reason()};
    return decodeRecord(*bytes);
}

KeptBests SaveFolder::readBests() const {
    const fs::path file = bestsFile();
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) return {};
    const core::Result<std::string> bytes = readSmallFile(file, "records file");
    const core::Result<PersonalBests> read = bytes ? decodePersonalBests(*bytes) : core::Failure{bytes.reason()};
    if (read) return {*read, {}};
    // Set aside, never over another file: the player may want it back.
    for (int number = 1; number <= kMaxNumberedNames; ++number) {
        const fs::path aside = path_ / (numberedName("records (damaged)", number) + ".xml");
        if (fs::exists(fs::symlink_status(aside, error))) continue;
        fs::rename(file, aside, error);
        if (error) break;
        flushFolder(path_);
        return {{}, kDamagedBests + ("and are kept aside as \"" + aside.filename().string() + "\". ") + kNewBests};
    }
    const std::string why = error ? error.message() : "no name is free";
    return {{}, kDamagedBests + ("nor set aside (" + why + "). ") + kNewBests, true};
}

core::Result<> SaveFolder::writeBests(const PersonalBests& bests) const {
    if (auto made = make(); !made) return made;
    const core::Result<bool> placed = writeFileAtomically(bestsFile(), encodePersonalBests(bests));
    if (!placed) return core::Failure{placed.reason()};
    return {};
}

Listing SaveFolder::list() const {
    struct Found {
        fs::file_time_type written;
        std::string name;
    };
    std::vector<Found> found;
    std::error_code error;
    fs::recursive_directory_iterator it(path_, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!isSaveFile(*it)) continue;
        fs::path name = it->path().lexically_relative(path_);
        name.replace_extension();
        std::error_code unknownTime; // such a file comes last
        found.push_back({it->last_write_time(unknownTime), name.generic_string()});
    }
    // Newest first, then by name.
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return std::tie(b.written, a.name) < std::tie(a.written, b.name); });
    Listing listing;
    if (error && error != std::errc::no_such_file_or_directory)
        listing.problem = "The saved games cannot be listed: " + error.message() + ".";
    for (Found& save : found) listing.saveNames.push_back(std::move(save.name));
    return listing;
}

} // namespace saves

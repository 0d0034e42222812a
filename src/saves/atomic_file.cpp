#include "saves/atomic_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace saves {

namespace {

core::Failure systemError(const char* step) { return {std::string(step) + ": " + std::strerror(errno)}; }

// Closes a descriptor on every path out; close() itself is checked where it matters.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

constexpr std::string_view kTemporaryPrefix = ".save-";
constexpr std::string_view kTemporaryPattern = "XXXXXX";

} // namespace

bool isTemporaryName(std::string_view name) {
    if (name.size() != kTemporaryPrefix.size() + kTemporaryPattern.size() + kTemporaryEnding.size() ||
        !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporaryEnding)) {
        return false;
    }
    const auto unique = name.substr(kTemporaryPrefix.size(), kTemporaryPattern.size());
    return std::all_of(unique.begin(), unique.end(), [](unsigned char c) { return std::isalnum(c); });
}

// Renames `from` to `to` unless a file is at `to`: false then, and `from` stays.
bool renameUnlessTaken(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    // File systems without the flag still refuse to link over a file.
    if (errno != EINVAL || ::link(from, to) != 0) return false;
    ::unlink(from);
    return true;
}

core::Result<bool> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, Placement placement) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    // Hidden, and with an ending the list ignores.
    std::string temporary =
        (folder / kTemporaryPrefix).string() + std::string(kTemporaryPattern) + std::string(kTemporaryEnding);
    Descriptor file(::mkostemps(temporary.data(), static_cast<int>(kTemporaryEnding.size()), O_CLOEXEC));
    if (file.get() < 0) return systemError("creating the file");

    auto fail = [&](const char* step) {
        core::Failure failure = systemError(step);
        ::unlink(temporary.c_str());
        return failure;
    };
    if (!writeAll(file.get(), bytes)) return fail("writing");
    if (::fsync(file.get()) != 0) return fail("flushing to disk");
    if (!file.close()) return fail("closing");
    if (placement == Placement::KeepExisting) {
        if (!renameUnlessTaken(temporary.c_str(), path.c_str())) {
            if (errno != EEXIST) return fail("putting the file in place");
            ::unlink(temporary.c_str());
            return false;
        }
    } else if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail("putting the file in place");
    }
    flushFolder(folder);
    return true;
}

} // namespace saves

#include "saves/atomic_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <optional>
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

// The process id in a temporary file's name, 0 in a name from before it was
// put there, or none when the name is no temporary file's.
std::optional<pid_t> writerOf(std::string_view name) {
    if (name.size() < kTemporaryPrefix.size() + kTemporaryPattern.size() + kTemporaryEnding.size() ||
        !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporaryEnding)) {
        return std::nullopt;
    }
    name.remove_prefix(kTemporaryPrefix.size());
    name.remove_suffix(kTemporaryEnding.size());
    const auto unique = name.substr(name.size() - kTemporaryPattern.size());
    if (!std::all_of(unique.begin(), unique.end(), [](unsigned char c) { return std::isalnum(c); }))
        return std::nullopt;
    name.remove_suffix(unique.size());
    if (name.empty()) return 0;
    pid_t writer = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), writer);
    if (error != std::errc{} || end != name.data() + name.size() - 1 || *end != '-' || writer <= 0) return std::nullopt;
    return writer;
}

// Renames `from` to `to` unless a file is at `to`: false then, and `from` stays.
bool renameUnlessTaken(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    // File systems without the flag still refuse to link over a file.
    if (errno != EINVAL || ::link(from, to) != 0) return false;
    ::unlink(from);
    return true;
}

} // namespace

void flushFolder(const std::filesystem::path& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

bool isAbandonedTemporary(std::string_view name) {
    const std::optional<pid_t> writer = writerOf(name);
    // A signal of 0 only asks whether the process exists; one of another user
    // answers EPERM, and is alive. This process has no save under way yet.
    return writer && (*writer == 0 || *writer == ::getpid() || (::kill(*writer, 0) != 0 && errno == ESRCH));
}

core::Result<bool> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, Placement placement) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    // Hidden, with an ending the list ignores, and the writer's id, so that no
    // other copy of the game takes it for a leftover while this one writes.
    std::string temporary = (folder / kTemporaryPrefix).string() + std::to_string(::getpid()) + "-" +
                            std::string(kTemporaryPattern) + std::string(kTemporaryEnding);
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

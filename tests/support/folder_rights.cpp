#include "support/folder_rights.h"

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace testkit {

namespace {
constexpr uid_t kNobody = 65534;
}

FolderRights::FolderRights(std::filesystem::path folder, std::filesystem::perms rights)
    : folder_(std::move(folder)), wasRoot_(::geteuid() == 0) {
    struct stat info {};
    if (::stat(folder_.c_str(), &info) != 0) throw std::runtime_error("no folder " + folder_.string());
    owner_ = info.st_uid;
    std::filesystem::permissions(folder_, rights);
    if (wasRoot_ && (::chown(folder_.c_str(), kNobody, static_cast<gid_t>(-1)) != 0 || ::seteuid(kNobody) != 0)) {
        throw std::runtime_error("cannot give up root for the test");
    }
}

FolderRights::~FolderRights() {
    if (wasRoot_ && (::seteuid(0) != 0 || ::chown(folder_.c_str(), owner_, static_cast<gid_t>(-1)) != 0)) std::terminate();
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
}

} // namespace testkit

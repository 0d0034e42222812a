#pragma once

#include <boost/core/noncopyable.hpp>

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace testkit {

// Leaves a folder's owner only `rights` for one scope: without write, no file
// can be made in it; without read, it cannot be opened. When the tests run as
// root, who has every right anyway, the folder is handed to nobody for the
// scope and the test runs as nobody.
class FolderRights : boost::noncopyable {
public:
    FolderRights(std::filesystem::path folder, std::filesystem::perms rights) : folder_(std::move(folder)) {
        struct stat info {};
        if (::stat(folder_.c_str(), &info) != 0) throw std::runtime_error("no folder " + folder_.string());
        owner_ = info.st_uid;
        std::filesystem::permissions(folder_, rights);
        if (wasRoot_ && (::chown(folder_.c_str(), kNobody, static_cast<gid_t>(-1)) != 0 || ::seteuid(kNobody) != 0)) {
            throw std::runtime_error("cannot give up root for the test");
        }
    }
    ~FolderRights() {
        if (wasRoot_ && (::seteuid(0) != 0 || ::chown(folder_.c_str(), owner_, static_cast<gid_t>(-1)) != 0))
            std::terminate();
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }

private:
    static constexpr uid_t kNobody = 65534;
    std::filesystem::path folder_;
    bool wasRoot_ = ::geteuid() == 0;
    uid_t owner_ = 0;
};

} // namespace testkit

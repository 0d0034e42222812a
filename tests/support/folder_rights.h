#pragma once

#include <filesystem>
#include <sys/types.h>

namespace testkit {

// Leaves a folder's owner only `rights` for one scope: without write, no file
// can be made in it; without read, it cannot be opened. When the tests run as
// root, who has every right anyway, the folder is handed to nobody for the
// scope and the test runs as nobody.
class FolderRights {
public:
    FolderRights(std::filesystem::path folder, std::filesystem::perms rights);
    ~FolderRights();
    FolderRights(const FolderRights&) = delete;
    FolderRights& operator=(const FolderRights&) = delete;

private:
    std::filesystem::path folder_;
    bool wasRoot_;
    uid_t owner_ = 0;
};

} // namespace testkit

#pragma once

#include <filesystem>
#include <sys/types.h>

namespace testkit {

// Takes the right to write in a folder away for one scope: its write
// permission, and when the tests run as root, who writes anyway, root's
// effective user id as well.
class WriteProtection {
public:
    explicit WriteProtection(std::filesystem::path folder);
    ~WriteProtection();
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;

private:
    std::filesystem::path folder_;
    bool wasRoot_;
};

} // namespace testkit

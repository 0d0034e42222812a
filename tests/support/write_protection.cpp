#include "support/write_protection.h"

#include <stdexcept>
#include <unistd.h>

namespace testkit {

namespace {
constexpr uid_t kNobody = 65534;
}

WriteProtection::WriteProtection(std::filesystem::path folder) : folder_(std::move(folder)), wasRoot_(::geteuid() == 0) {
    using std::filesystem::perms;
    std::filesystem::permissions(folder_, perms::owner_read | perms::owner_exec);
    if (wasRoot_ && ::seteuid(kNobody) != 0) throw std::runtime_error("cannot give up root for the test");
}

WriteProtection::~WriteProtection() {
    if (wasRoot_ && ::seteuid(0) != 0) std::terminate();
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
}

} // namespace testkit

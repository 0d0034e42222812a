#include "core/system_random.h"

#include <cstdlib>
#include <ctime>
#include <unistd.h> // getentropy

namespace core {

void SystemRandom::srand(unsigned seed) { std::srand(seed); }
int SystemRandom::rand() { return std::rand(); }
std::int64_t SystemRandom::time() { return static_cast<std::int64_t>(std::time(nullptr)); }
std::uint32_t SystemRandom::arc4random() {
    // What arc4random gives, from getentropy, which the browser's C library has too.
    if (used_ == entropy_.size()) {
        if (::getentropy(entropy_.data(), sizeof entropy_) != 0) {
            return static_cast<std::uint32_t>(std::rand()) ^ (static_cast<std::uint32_t>(std::rand()) << 16);
        }
        used_ = 0;
    }
    return entropy_[used_++];
}

} // namespace core

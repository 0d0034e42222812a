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
    std::uint32_t value = 0;
    if (::getentropy(&value, sizeof value) == 0) return value;
    return static_cast<std::uint32_t>(std::rand()) ^ (static_cast<std::uint32_t>(std::rand()) << 16);
}

} // namespace core

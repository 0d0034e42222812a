#include "core/system_random.h"

#include <cstdlib>
#include <ctime>
#include <stdlib.h> // arc4random (glibc 2.36 and the BSDs)

namespace core {

void SystemRandom::srand(unsigned seed) { std::srand(seed); }
int SystemRandom::rand() { return std::rand(); }
std::int64_t SystemRandom::time() { return static_cast<std::int64_t>(std::time(nullptr)); }
std::uint32_t SystemRandom::arc4random() { return ::arc4random(); }

} // namespace core

#pragma once

#include <cstdint>

namespace core {

// The random numbers and the wall clock that board generation draws from.
// The system's own C library answers in the game; tests script the answers.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    virtual void srand(unsigned seed) = 0;
    virtual int rand() = 0;                 // 0 to RAND_MAX, from the seeded sequence
    virtual std::int64_t time() = 0;        // wall-clock time in whole seconds
    virtual std::uint32_t arc4random() = 0; // unseeded, full 32-bit range
};

} // namespace core

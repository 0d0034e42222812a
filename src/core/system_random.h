#pragma once

#include "core/random_source.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace core {

// The C library's own generators and clock, as the game uses them.
class SystemRandom final : public RandomSource {
public:
    void srand(unsigned seed) override;
    int rand() override;
    std::int64_t time() override;
    std::uint32_t arc4random() override;

private:
    // Asking the system costs far more than a draw: one request fills the
    // block, as much as getentropy gives at once (256 bytes), and the draws
    // are handed out of it one by one.
    std::array<std::uint32_t, 64> entropy_{};
    std::size_t used_ = entropy_.size();
};

} // namespace core

#pragma once

#include "core/random_source.h"

namespace core {

// The C library's own generators and clock, as the game uses them.
class SystemRandom final : public RandomSource {
public:
    void srand(unsigned seed) override;
    int rand() override;
    std::int64_t time() override;
    std::uint32_t arc4random() override;
};

} // namespace core

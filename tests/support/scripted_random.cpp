#include "support/scripted_random.h"

namespace testkit {

namespace {
constexpr std::uint64_t kModulus = 2147483647; // 2^31 - 1
constexpr std::uint64_t kMultiplier = 48271;
} // namespace

ScriptedRandom::ScriptedRandom(std::int64_t now, std::uint32_t arcSeed) : now_(now), arc_(arcSeed) {}

void ScriptedRandom::srand(unsigned seed)
{
    // 0 is the generator's one fixed point; take it as 1, as srand(0) does.
    state_ = static_cast<std::uint32_t>(seed % kModulus);
    if (state_ == 0) {
        state_ = 1;
    }
}

int ScriptedRandom::rand()
{
    state_ = static_cast<std::uint32_t>(state_ * kMultiplier % kModulus);
    return static_cast<int>(state_);
}

std::uint32_t ScriptedRandom::arc4random()
{
    if (scripted_.empty()) {
        return static_cast<std::uint32_t>(arc_());
    }
    const std::uint32_t value = scripted_.front();
    scripted_.pop_front();
    return value;
}

void ScriptedRandom::scriptArc4random(std::initializer_list<std::uint32_t> values)
{
    scripted_.insert(scripted_.end(), values);
}

} // namespace testkit

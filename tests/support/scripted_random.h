#pragma once

#include "core/random_source.h"

#include <cstdint>
#include <deque>
#include <random>

namespace testkit {

// A RandomSource for tests: rand() is a real seeded sequence (the minimal
// standard Lehmer generator), time() answers what the test sets, and
// arc4random() hands out scripted values first, then a seeded sequence.
class ScriptedRandom : public core::RandomSource {
public:
    explicit ScriptedRandom(std::int64_t now = 0, std::uint32_t arcSeed = 1);

    void srand(unsigned seed) override;
    int rand() override;
    std::int64_t time() override { return now_; }
    std::uint32_t arc4random() override;

    void setTime(std::int64_t now) { now_ = now; }
    void scriptArc4random(std::initializer_list<std::uint32_t> values);

private:
    std::uint32_t state_ = 1;
    std::int64_t now_;
    std::deque<std::uint32_t> scripted_;
    std::mt19937 arc_;
};

} // namespace testkit

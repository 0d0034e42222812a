#pragma once

#include "core/random_source.h"

#include <cstdint>
#include <deque>
#include <random>

namespace testkit {

// A RandomSource for tests: rand() is a real seeded sequence (the minimal
// standard Lehmer generator, which takes seed 0 as 1 as srand does), time()
// answers what the test sets, and arc4random() hands out scripted values
// first, then a seeded sequence.
class ScriptedRandom : public core::RandomSource {
public:
    explicit ScriptedRandom(std::int64_t now = 0, std::uint32_t arcSeed = 1) : now_(now), arc_(arcSeed) {}

    void srand(unsigned seed) override { rand_.seed(seed); }
    int rand() override { return static_cast<int>(rand_()); }
    std::int64_t time() override { return now_; }
    std::uint32_t arc4random() override {
        if (scripted_.empty()) return static_cast<std::uint32_t>(arc_());
        const std::uint32_t value = scripted_.front();
        scripted_.pop_front();
        return value;
    }

    void setTime(std::int64_t now) { now_ = now; }
    void scriptArc4random(std::initializer_list<std::uint32_t> values) { scripted_.insert(scripted_.end(), values); }

private:
    std::int64_t now_;
    std::minstd_rand rand_;
    std::deque<std::uint32_t> scripted_;
    std::mt19937 arc_;
};

} // namespace testkit

#pragma once

#include <cstdint>
#include <string>

namespace core {

// What a difficulty sets: the points each won level adds, the circles of a
// new game's first level, and the time every Time Trial level starts from.
struct Difficulty {
    const char* name;
    std::int32_t points;
    std::int32_t nodes;
    std::int32_t trialMinutes;
    std::int32_t trialSeconds;
};

inline constexpr Difficulty kDifficulties[] = {
    {"Easy", 10, 7, 2, 0},
    {"Medium", 20, 10, 1, 30},
    // Sixty seconds, written as 0 minutes and 60 seconds.
    {"Hard", 25, 14, 0, 60},
};

// The difficulty of that name, or null for a name that is none of them.
inline const Difficulty* difficultyNamed(const std::string& name) {
    for (const Difficulty& difficulty : kDifficulties) {
        if (name == difficulty.name) return &difficulty;
    }
    return nullptr;
}

} // namespace core

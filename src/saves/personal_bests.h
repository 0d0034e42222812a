#pragma once

#include "core/result.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace saves {

// The best the player has done, kept beside the saved games, as one property
// list (see encodePersonalBests).
struct PersonalBests {
    // How far games of one difficulty and mode have come.
    struct Progress {
        std::int32_t level = 0; // the furthest level reached
        std::int32_t score = 0; // the best score
        bool operator==(const Progress&) const = default;
    };
    // By difficulty name and mode (true: Time Trial).
    std::map<std::pair<std::string, bool>, Progress> games;
    // The best time of a won level in seconds, by its circles and mode
    // (true: Time Trial): in Single Player the fewest spent, in Time Trial the most left.
    std::map<std::pair<std::int32_t, bool>, std::int32_t> times;

    bool operator==(const PersonalBests&) const = default;
};

// The bests as an XML property list: a dictionary of two lists, "Games" (of
// dictionaries of "Difficulty", "TimeTrial", "Level" and "Score") and "Times"
// (of "NumberOfNodes", "TimeTrial" and "Seconds").
std::string encodePersonalBests(const PersonalBests& bests);

// Reads the bests from a file's bytes, trusting nothing: every entry there
// with its type, difficulties the game knows, and numbers it could have
// written. Or says why the file cannot be read.
core::Result<PersonalBests> decodePersonalBests(const std::string& bytes);

} // namespace saves

#pragma once

#include "core/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace saves {

// The largest level, score and score increment a record holds. The game
// stops counting there, so every game it saves loads again; and a score and
// its increment add up within 32 bits.
inline constexpr std::int32_t kMaxProgress = 1'000'000'000;

// The most minutes a level's clock counts up to; their seconds fit in 32 bits.
inline constexpr std::int32_t kMaxMinutes = 1'000'000;

// A level in play has at least this many circles (a new game deals 7 or more).
inline constexpr std::int32_t kMinNodes = 3;

// One saved game: the game screen's state and its board, as one property list
// whose root dictionary holds these twelve entries under the members' names.
struct SavedGameRecord {
    std::int32_t ScoreInc = 0;
    std::string Difficulty;
    std::int32_t Level = 1;
    std::int32_t Score = 0;
    bool TimeTrial = false;
    std::int32_t NumberOfNodes = 0;
    std::vector<std::int32_t> xNodes;
    std::vector<std::int32_t> yNodes;
    std::vector<std::vector<std::int32_t>> Links;
    bool IsGameEnded = false;
    std::int32_t Minutes = 0;
    std::int32_t Seconds = 0;

    bool operator==(const SavedGameRecord&) const = default;
};

// The record as an XML property list, version 1.0.
std::string encodeRecord(const SavedGameRecord& record);

// Reads a record from a file's bytes, in any encoding libplist reads (XML or
// binary), trusting nothing, or says why the file cannot be loaded. A record
// it answers is ready to load: every entry the loader uses is present with its type, the numbers fit in 32 bits, the
// difficulty is one of the three, the level is 1 or more and it, the score
// and the increment are at most kMaxProgress, none negative; the node count
// lies within [kMinNodes, core::kMaxNodes] (an ended level goes on with one
// node more, up to core::kMaxNodes) and, for a level still in play, the
// board lists describe that many nodes on the board (core::checkDescription).
// Entries the loader does without (Minutes and Seconds outside Time Trial, the board
// of an ended level) keep their defaults when missing and have their types
// checked when present. Other keys are ignored.
core::Result<SavedGameRecord> decodeRecord(const std::string& bytes);

} // namespace saves

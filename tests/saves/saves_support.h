#pragma once

#include "saves/record.h"

namespace testkit {

// A record as the game writes it mid-level in Time Trial: three nodes, one
// without links of its own, numbers that need more than a byte, and a value
// of its own in most entries, so that tests can find each in the XML.
inline saves::SavedGameRecord sampleRecord() {
    return {.ScoreInc = 20, .Difficulty = "Medium", .Level = 12, .Score = 220, .TimeTrial = true,
            .NumberOfNodes = 3, .xNodes = {45, 123, 290}, .yNodes = {60, 45, 1000}, .Links = {{1, 2}, {}, {0}},
            .IsGameEnded = false, .Minutes = 4, .Seconds = 7};
}

} // namespace testkit

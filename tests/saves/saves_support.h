#pragma once

#include "saves/record.h"

#include "support/scoped_environment.h"

namespace testkit {

// A record as the game writes it mid-level in Time Trial: three nodes, one
// without links of its own, and numbers that need more than a byte.
inline saves::SavedGameRecord sampleRecord() {
    return {.ScoreInc = 20, .Difficulty = "Medium", .Level = 12, .Score = 220, .TimeTrial = true,
            .NumberOfNodes = 3, .xNodes = {45, 123, 290}, .yNodes = {60, 45, 1000}, .Links = {{1, 2}, {}, {0}},
            .IsGameEnded = false, .Minutes = 1, .Seconds = 7};
}

} // namespace testkit

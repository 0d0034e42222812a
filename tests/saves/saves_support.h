#pragma once

#include "saves/record.h"

#include "support/scoped_environment.h"

namespace testkit {

// A record as the game writes it mid-level in Time Trial: three nodes, one
// without links of its own, and numbers that need more than a byte.
inline saves::SavedGameRecord sampleRecord() {
    saves::SavedGameRecord r;
    r.ScoreInc = 20;
    r.Difficulty = "Medium";
    r.Level = 12;
    r.Score = 220;
    r.TimeTrial = true;
    r.NumberOfNodes = 3;
    r.xNodes = {45, 123, 290};
    r.yNodes = {60, 45, 1000};
    r.Links = {{1, 2}, {}, {0}};
    r.IsGameEnded = false;
    r.Minutes = 1;
    r.Seconds = 7;
    return r;
}

} // namespace testkit

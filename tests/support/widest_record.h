#pragma once

#include "core/board.h"
#include "saves/record.h"

namespace testkit {

// The largest saved game the reader takes: core::kMaxNodes circles at the
// board's far corner, two links each to the last nodes, every number as wide
// as it may be.
inline saves::SavedGameRecord widestRecord() {
    constexpr std::int32_t n = core::kMaxNodes;
    saves::SavedGameRecord r;
    r.ScoreInc = r.Level = r.Score = saves::kMaxProgress;
    r.Difficulty = "Medium";
    r.NumberOfNodes = n;
    r.TimeTrial = true; // whose clock may read :60
    r.Minutes = saves::kMaxMinutes;
    r.Seconds = 60;
    r.xNodes.assign(n, core::kBoardWidth);
    r.yNodes.assign(n, core::kBoardHeight);
    for (std::int32_t i = 0; i < n; ++i) r.Links.push_back({i == n - 1 ? n - 3 : n - 1, i == n - 2 ? n - 3 : n - 2});
    return r;
}

} // namespace testkit

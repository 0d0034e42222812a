#pragma once

#include "game/model/level_clock.h"
#include "saves/personal_bests.h"

#include <cstdint>
#include <string>
#include <utility>

namespace game {

class Game;

// A won level's time as the end-of-level panel tells it: the time spent on
// it (in Time Trial, the time left), the record for its circles and mode,
// and whether this level set that record.
struct LevelTime {
    ClockTime time;
    ClockTime record;
    bool isNewRecord = false;

    friend bool operator==(const LevelTime&, const LevelTime&) = default;
};

// A won level as the records count it, taken as it was won: its difficulty
// and mode, the level and score reached, its circles and its clock.
struct WonLevel {
    std::pair<std::string, bool> game;
    saves::PersonalBests::Progress reached;
    std::pair<std::int32_t, bool> board;
    ClockTime time;
};

// The player's records, and what counts as one. Per difficulty and mode: the
// furthest level reached and the best score. Per number of circles and mode:
// the best time of a level won, in Single Player the fewest seconds spent, in
// Time Trial the most time left. A level counts as its clock shows: a level
// resumed from a save goes on with its own clock, and one restarted counts
// from its restart.
class Records {
public:
    // The level that `game` has just won, its level and score already
    // advanced, its clock stopped where the level ended.
    static WonLevel wonBy(const Game& game);
    LevelTime countWin(const WonLevel& won);
    LevelTime countWin(const Game& game) { return countWin(wonBy(game)); }
    // Takes in records kept elsewhere, each where it beats this one's.
    void keepBestOf(const saves::PersonalBests& other);

    const saves::PersonalBests& bests() const { return bests_; }

private:
    using GameKind = std::pair<std::string, bool>;
    using BoardKind = std::pair<std::int32_t, bool>;

    void keepProgress(const GameKind& kind, saves::PersonalBests::Progress reached);
    // Answers whether `seconds` beat the time kept for boards of this kind.
    bool keepTime(const BoardKind& kind, std::int32_t seconds);

    saves::PersonalBests bests_;
};

// Whole seconds as a clock shows them.
ClockTime clockTimeOf(std::int32_t seconds);

} // namespace game

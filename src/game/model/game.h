#pragma once

#include "core/board.h"
#include "core/crossing_index.h"
#include "core/difficulty.h"
#include "core/random_source.h"
#include "game/model/level_clock.h"
#include "saves/record.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace game {

// What a game is played as: its difficulty, by name, and its mode, Time
// Trial (`ttime`) or Single Player.
struct Settings {
    std::string difficulty;
    bool ttime = false;

    // Where every level's clock starts: the difficulty's own time in Time
    // Trial, 0:00 in Single Player.
    ClockTime levelTime() const;
};

// How far a game has come.
struct Progress {
    std::int32_t lvl = 1;
    std::int32_t currentScore = 0;
    std::int32_t scorInc = 0;  // the points each won level adds
    std::int32_t nrNoduri = 0; // the circles of a level's board
};

// How a level stands.
enum class Status { Playing, Won, Lost };

// The settings of a new game of `difficulty`, in the shape of a saved game:
// its first level, no board yet, not ended.
saves::SavedGameRecord newGame(const core::Difficulty& difficulty, bool timeTrial);

// Whether a game started from `record` goes on with the board it holds: a
// level saved while in play.
bool resumesItsBoard(const saves::SavedGameRecord& record);

// One game in progress and its rules: its settings, its progress, the board
// of the level in play and the level's clock. It knows nothing of views.
class Game {
public:
    // New boards are dealt with `random`.
    explicit Game(core::RandomSource& random) : random_(random) {}

    // Starts a game from a record that newGame made or decodeRecord read. A
    // record without a board is dealt one. A saved level still in play goes
    // on with its board and its clock (the time spent, or in Time Trial
    // left); one that had ended goes on to the next level, or,
    // lost on time (clock at 0:00, links still crossing), plays its level again.
    void start(const saves::SavedGameRecord& record);
    // The game as a saved game. Saving changes nothing in the game.
    saves::SavedGameRecord record() const;
    // The game is left: none is on, and its clock stops.
    void quit();

    bool isInGame() const { return isInGame_; }
    // Whether the level takes moves: a game is on and its level has not ended.
    bool isLevelInPlay() const { return isInGame_ && !hasLevelEnded_; }
    // The level as its board and clock stand: won when no links cross,
    // else lost when a Time Trial's clock is at 0:00. Changes nothing.
    Status status() const;

    // Moves circle `index` toward `centre`, onto whole points within the
    // drag area, while the level is in play; answers where its centre lies.
    core::Point moveCircle(std::size_t index, core::Point centre);
    // One second of the clock. The tick that finds a Time Trial at 0:00 ends
    // the level; answers whether it did.
    bool tick();
    // The clock stands still while the game is paused.
    void pause() { clock_.setPaused(true); }
    void resume() { clock_.setPaused(false); }

    // Ends the level once it is over, once: a won level raises the level by
    // one and the score by the level's points, then the clock stops and the
    // circles freeze. Answers whether the level ended now.
    bool endLevelIfOver();
    // The next level: a circle more, up to core::kMaxNodes.
    void nextLevel();
    // The level again, on a new board of as many circles.
    void restartLevel();

    const Settings& settings() const { return settings_; }
    const Progress& progress() const { return progress_; }
    const core::Board& board() const { return board_; }
    const LevelClock& clock() const { return clock_; }

private:
    // A new random board of the level's circles.
    core::Board deal();
    // The level goes on with `board`, its clock running from `time`.
    void playLevel(core::Board board, ClockTime time);

    core::RandomSource& random_;
    Settings settings_;
    Progress progress_;
    core::Board board_;
    // Whether board_ is solved, kept up to date move by move.
    core::CrossingIndex links_{board_};
    LevelClock clock_;
    bool isInGame_ = false;
    bool hasLevelEnded_ = false;
};

} // namespace game

#include "game/model/game.h"

#include "core/crossing.h"
#include "core/generator.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace game {

namespace {

// A Time Trial level that ended with its clock at 0:00 and its links still
// crossing was lost: it is played again, not taken for won.
bool lostOnTime(const saves::SavedGameRecord& r) {
    if (!r.TimeTrial || r.Minutes != 0 || r.Seconds != 0) return false;
    const core::Result<core::Board> rebuilt = core::rebuildBoard({r.xNodes, r.yNodes, r.Links}, r.NumberOfNodes);
    return rebuilt && !core::isSolved(*rebuilt);
}

float clamped(float value, int low, int high) {
    return std::clamp(value, static_cast<float>(low), static_cast<float>(high));
}

} // namespace

ClockTime Settings::levelTime() const {
    const core::Difficulty* own = core::difficultyNamed(difficulty);
    if (!ttime || !own) return {};
    return {own->trialMinutes, own->trialSeconds};
}

saves::SavedGameRecord newGame(const core::Difficulty& difficulty, bool timeTrial) {
    saves::SavedGameRecord game;
    game.Difficulty = difficulty.name;
    game.ScoreInc = difficulty.points;
    game.NumberOfNodes = difficulty.nodes;
    game.TimeTrial = timeTrial;
    if (timeTrial) {
        game.Minutes = difficulty.trialMinutes;
        game.Seconds = difficulty.trialSeconds;
    }
    return game;
}

bool resumesItsBoard(const saves::SavedGameRecord& record) { return !record.IsGameEnded && !record.xNodes.empty(); }

void Game::start(const saves::SavedGameRecord& r) {
    settings_ = {r.Difficulty, r.TimeTrial};
    progress_ = {r.Level, r.Score, r.ScoreInc, r.NumberOfNodes};
    isInGame_ = true;
    if (r.IsGameEnded) {
        if (lostOnTime(r))
            restartLevel();
        else
            nextLevel();
        return;
    }
    // A level goes on with its own clock: the time spent, or in Time Trial the time left.
    const ClockTime time{r.Minutes, r.Seconds};
    if (!resumesItsBoard(r)) return playLevel(deal(), time);
    core::Result<core::Board> saved = core::rebuildBoard({r.xNodes, r.yNodes, r.Links}, r.NumberOfNodes);
    if (!saved) throw std::invalid_argument("Game::start needs a board that can be rebuilt: " + saved.reason());
    playLevel(std::move(*saved), time);
}

saves::SavedGameRecord Game::record() const {
    saves::SavedGameRecord r;
    r.IsGameEnded = status() != Status::Playing;
    r.Difficulty = settings_.difficulty;
    r.TimeTrial = settings_.ttime;
    r.Level = progress_.lvl;
    r.Score = progress_.currentScore;
    r.ScoreInc = progress_.scorInc;
    r.Minutes = clock_.time().min;
    r.Seconds = clock_.time().sec;
    r.NumberOfNodes = static_cast<std::int32_t>(board_.size());
    core::BoardDescription board = core::describe(board_);
    r.xNodes = std::move(board.xNodes);
    r.yNodes = std::move(board.yNodes);
    r.Links = std::move(board.Links);
    return r;
}

void Game::quit() {
    isInGame_ = false;
    clock_.stop();
}

Status Game::status() const {
    if (links_.isSolved()) return Status::Won;
    if (clock_.isOutOfTime()) return Status::Lost;
    return Status::Playing;
}

core::Point Game::moveCircle(std::size_t index, core::Point centre) {
    core::Point& at = board_.at(index).coord;
    if (!isLevelInPlay()) return at;
    // Circles rest on whole points. There the crossing arithmetic is exact;
    // at fractional points two links of one circle can count as crossing by
    // rounding, and the level could not be won.
    constexpr core::Area area = core::kDragArea;
    at = {clamped(std::round(centre.x), area.left, area.right), clamped(std::round(centre.y), area.top, area.bottom)};
    links_.moveCircle(index, at);
    return at;
}

bool Game::tick() { return clock_.tick() && endLevelIfOver(); }

bool Game::endLevelIfOver() {
    if (!isLevelInPlay()) return false;
    const Status outcome = status();
    if (outcome == Status::Playing) return false;
    if (outcome == Status::Won) {
        // Counting stops where saved games end, so that every game saved loads again.
        progress_.lvl = std::min(progress_.lvl + 1, saves::kMaxProgress);
        progress_.currentScore = std::min(progress_.currentScore + progress_.scorInc, saves::kMaxProgress);
    }
    clock_.stop();
    hasLevelEnded_ = true;
    return true;
}

void Game::nextLevel() {
    // Boards stop growing where saved games end, so that every game saved loads again.
    progress_.nrNoduri = std::min(progress_.nrNoduri + 1, core::kMaxNodes);
    restartLevel();
}

void Game::restartLevel() {
    // Whatever time the level started from (a loaded game's), it starts again with the whole of its own.
    playLevel(deal(), settings_.levelTime());
}

core::Board Game::deal() {
    core::seedFromClock(random_);
    return core::generateBoard(progress_.nrNoduri, random_);
}

void Game::playLevel(core::Board board, ClockTime time) {
    board_ = std::move(board);
    links_ = core::CrossingIndex(board_);
    clock_ = LevelClock(time, settings_.ttime);
    hasLevelEnded_ = false;
}

} // namespace game

#include "game/model/records.h"

#include "game/model/game.h"

#include <algorithm>

namespace game {

namespace {

std::int32_t secondsOf(ClockTime time) { return time.min * 60 + time.sec; }

} // namespace

ClockTime clockTimeOf(std::int32_t seconds) { return {seconds / 60, seconds % 60}; }

WonLevel Records::wonBy(const Game& game) {
    const bool timeTrial = game.settings().ttime;
    return {{game.settings().difficulty, timeTrial},
            {game.progress().lvl, game.progress().currentScore},
            {static_cast<std::int32_t>(game.board().size()), timeTrial},
            game.clock().time()};
}

LevelTime Records::countWin(const WonLevel& won) {
    keepProgress(won.game, won.reached);
    const bool isNew = keepTime(won.board, secondsOf(won.time));
    return {won.time, clockTimeOf(bests_.times.at(won.board)), isNew};
}

void Records::keepBestOf(const saves::PersonalBests& other) {
    for (const auto& [kind, reached] : other.games) keepProgress(kind, reached);
    for (const auto& [kind, seconds] : other.times) keepTime(kind, seconds);
}

void Records::keepProgress(const GameKind& kind, saves::PersonalBests::Progress reached) {
    saves::PersonalBests::Progress& best = bests_.games[kind];
    best.level = std::max(best.level, reached.level);
    best.score = std::max(best.score, reached.score);
}

bool Records::keepTime(const BoardKind& kind, std::int32_t seconds) {
    const auto [kept, isFirst] = bests_.times.try_emplace(kind, seconds);
    // Fewer seconds spent, or in Time Trial more left.
    const bool beats = isFirst || (kind.second ? seconds > kept->second : seconds < kept->second);
    if (beats) kept->second = seconds;
    return beats;
}

} // namespace game

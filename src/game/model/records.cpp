#include "game/model/records.h"

#include "game/model/game.h"

#include <algorithm>

namespace game {

namespace {

std::int32_t secondsOf(ClockTime time) { return time.min * 60 + time.sec; }

} // namespace

ClockTime clockTimeOf(std::int32_t seconds) { return {seconds / 60, seconds % 60}; }

LevelTime Records::countWin(const Game& game) {
    const Settings& settings = game.settings();
    const Progress& progress = game.progress();
    saves::PersonalBests::Progress& best = bests_.games[{settings.difficulty, settings.ttime}];
    best.level = std::max(best.level, progress.lvl);
    best.score = std::max(best.score, progress.currentScore);

    const std::int32_t seconds = secondsOf(game.clock().time());
    const auto circles = static_cast<std::int32_t>(game.board().size());
    const auto [kept, isFirst] = bests_.times.try_emplace({circles, settings.ttime}, seconds);
    // Fewer seconds spent, or more left.
    const bool beats = isFirst || (settings.ttime ? seconds > kept->second : seconds < kept->second);
    if (beats) kept->second = seconds;
    return {game.clock().time(), clockTimeOf(kept->second), beats};
}

} // namespace game

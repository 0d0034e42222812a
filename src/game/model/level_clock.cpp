#include "game/model/level_clock.h"

#include "saves/record.h"

#include <cstdio>

namespace game {

std::string clockText(ClockTime time) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%i:%s%i", time.min <= 9 ? "0" : "", time.min, time.sec <= 9 ? "0" : "",
                  time.sec);
    return text;
}

bool LevelClock::tick() {
    if (!isCounting()) return false;
    if (!countsDown_) {
        // The seconds run from 00 to 59; the clock stands still where saved games end.
        if (time_ == ClockTime{saves::kMaxMinutes, 59}) return false;
        if (++time_.sec >= 60) {
            ++time_.min;
            time_.sec = 0;
        }
        return false;
    }
    if (time_.sec > 0) {
        --time_.sec;
    } else if (time_.min > 0) {
        --time_.min;
        time_.sec = 59;
    } else {
        stop();
        return true;
    }
    return false;
}

} // namespace game

#include "game/model/level_clock.h"

namespace game {

bool LevelClock::tick() {
    if (!isCounting()) return false;
    if (!countsDown_) {
        // The seconds run from 00 to 59.
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

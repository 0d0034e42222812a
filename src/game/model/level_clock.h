#pragma once

#include <cstdint>
#include <string>

namespace game {

// A time on a level's clock. A Time Trial of sixty seconds starts at 0:60.
struct ClockTime {
    std::int32_t min = 0;
    std::int32_t sec = 0;

    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// The time as the clock shows it: minutes and seconds, each below 10 with one leading 0 ("03:07", "12:40").
std::string clockText(ClockTime time);

// The clock of one level: one second a tick, up from where it starts or, in
// Time Trial, down to 0:00, while it runs and is not paused.
class LevelClock {
public:
    // Stopped at 0:00: no level yet.
    LevelClock() = default;
    // Running from `from`, down to 0:00 when `countsDown`.
    LevelClock(ClockTime from, bool countsDown) : time_(from), countsDown_(countsDown), isRunning_(true) {}

    ClockTime time() const { return time_; }
    // A countdown at 0:00.
    bool isOutOfTime() const { return countsDown_ && time_ == ClockTime{}; }
    // Whether a tick counts: the clock runs and is not paused.
    bool isCounting() const { return isRunning_ && !isPaused_; }

    // One second. The tick that finds a countdown at 0:00 stops the clock and answers true.
    bool tick();
    void stop() { isRunning_ = false; }
    // While paused, ticks change nothing.
    void setPaused(bool isPaused) { isPaused_ = isPaused; }

private:
    ClockTime time_;
    bool countsDown_ = false;
    bool isRunning_ = false;
    bool isPaused_ = false;
};

} // namespace game

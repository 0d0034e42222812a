#pragma once

#include <chrono>

namespace ui {

// Seconds on a monotonic time line. The window runs on the real clock;
// tests run on a virtual one that only moves when told to.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

class SteadyClock final : public Clock {
public:
    double now() const override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class VirtualClock final : public Clock {
public:
    double now() const override { return now_; }
    void set(double t) { now_ = t; }

private:
    double now_ = 0;
};

} // namespace ui

#pragma once

#include "platform/application.h"
#include "platform/clock.h"

namespace ui {

// A back end without a screen or input devices: time is virtual and moves
// only when told, and input comes from whoever holds the window. Pictures
// are read from their files as the desktop reads them.
class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(Size screen = {320, 480}) : screen_(screen) {}

    const Clock& clock() const override { return clock_; }
    Size screenSize() const override { return screen_; }
    // No input ever comes: time jumps to the deadline; with none, nothing can happen any more.
    bool waitForInput(std::optional<double> deadline, Application& application) override;
    void present(Window&) override { ++frames_; }
    std::optional<Size> imageSize(const std::filesystem::path& file) const override;

    // Lets `seconds` of virtual time pass, running each due task at its own time, in order.
    void advance(RunLoop& loop, double seconds);
    int framesPresented() const { return frames_; }

private:
    Size screen_;
    VirtualClock clock_;
    int frames_ = 0;
};

} // namespace ui

#pragma once

#include "core/result.h"
#include "platform/geometry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Application;
class HeadlessBackend;
} // namespace ui

namespace app {

// Virtual time and touches for a headless run, written as text: steps
// separated by ';' or new lines, each one of
//   wait SECONDS | tap X Y | doubletap X Y | drag X1 Y1 X2 Y2
// Touch steps take a frame per finger event, as a hand would.
class TouchScript {
public:
    struct Step {
        enum class Kind { Wait, Tap, DoubleTap, Drag };
        Kind kind = Kind::Wait;
        double seconds = 0;
        ui::Point from, to;
    };

    // The script, or a message naming the step that cannot be read.
    static core::Result<TouchScript> parse(std::string_view text);

    const std::vector<Step>& steps() const { return steps_; }

    // Plays the steps on a launched application. `toWindow` maps the
    // script's points to the window's.
    void play(ui::HeadlessBackend& backend, ui::Application& app,
              const std::function<ui::Point(ui::Point)>& toWindow) const;

private:
    std::vector<Step> steps_;
};

} // namespace app

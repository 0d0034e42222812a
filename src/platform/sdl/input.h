#pragma once

#include "platform/geometry.h"
#include "platform/sdl/landscape.h"

#include <SDL.h>

#include <map>
#include <optional>
#include <utility>

namespace ui {
class Window;
}

namespace ui::sdl {

// Turns SDL's mouse and touch-screen events into fingers on the portrait
// window. The mouse, while its left button is down, is finger 0; each
// touch-screen finger is its own finger. SDL also reports touches as mouse
// events (from SDL_TOUCH_MOUSEID): those are ignored, or one finger would act twice.
// With no button down the mouse is a pointer that hovers, and its wheel (or a
// touchpad's two-finger scroll) turns over the view beneath it. Keys go to the
// window as they are pressed, not as they repeat. A window exposed or resized
// is drawn again; one that loses the focus lets go of every finger, as a
// button released elsewhere never arrives.
class Input {
public:
    // `windowSize` in the window units that mouse events use; the
    // landscape's output may have more pixels on a high-density display.
    // Answers whether the event was input.
    bool handle(const SDL_Event& event, Window& window, const Landscape& landscape, Size windowSize);
    void reset();

private:
    static constexpr int kMouse = 0;

    std::optional<int> knownFinger(const SDL_TouchFingerEvent& event) const;

    bool mouseDown_ = false;
    std::map<std::pair<SDL_TouchID, SDL_FingerID>, int> fingers_;
    int nextFinger_ = kMouse + 1;
};

} // namespace ui::sdl

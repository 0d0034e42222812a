#include "platform/sdl/input.h"

#include "platform/window.h"

namespace ui::sdl {

namespace {

Point mousePoint(int x, int y, const Landscape& landscape, Size windowSize) {
    const Size output = landscape.output();
    return landscape.toPortrait({static_cast<float>(x) * output.width / windowSize.width,
                                 static_cast<float>(y) * output.height / windowSize.height});
}

Point fingerPoint(const SDL_TouchFingerEvent& event, const Landscape& landscape) {
    const Size output = landscape.output();
    return landscape.toPortrait({event.x * output.width, event.y * output.height});
}

Key key(const SDL_KeyboardEvent& event) {
    switch (event.keysym.sym) {
    case SDLK_ESCAPE: return Key::Escape;
    case SDLK_SPACE: return Key::Space;
    case SDLK_DELETE:
    case SDLK_BACKSPACE: return Key::Delete;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        // Alt+Enter is the window's own: full screen.
        return (event.keysym.mod & KMOD_ALT) ? Key::Other : Key::Enter;
    default: return Key::Other;
    }
}

} // namespace

std::optional<int> Input::knownFinger(const SDL_TouchFingerEvent& event) const {
    const auto it = fingers_.find({event.touchId, event.fingerId});
    if (it == fingers_.end()) return std::nullopt;
    return it->second;
}

bool Input::handle(const SDL_Event& event, Window& window, const Landscape& landscape, Size windowSize) {
    TouchDispatcher& touches = window.touches();
    switch (event.type) {
    case SDL_RENDER_TARGETS_RESET:
        // The kept frame is gone with them.
        window.setNeedsDisplay();
        return false;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            window.setNeedsDisplay();
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
            window.movePointer(std::nullopt);
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            touches.cancelAll();
            reset();
        }
        return false;
    case SDL_KEYDOWN:
        if (event.key.repeat) return false;
        window.keyPressed(key(event.key));
        return true;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT) return false;
        mouseDown_ = true;
        // The pointer is a finger now; it hovers again once it moves with the button up.
        window.movePointer(std::nullopt);
        touches.began(kMouse, mousePoint(event.button.x, event.button.y, landscape, windowSize));
        return true;
    case SDL_MOUSEMOTION: {
        if (event.motion.which == SDL_TOUCH_MOUSEID) return false;
        const Point at = mousePoint(event.motion.x, event.motion.y, landscape, windowSize);
        if (mouseDown_)
            touches.moved(kMouse, at);
        else
            window.movePointer(at);
        return true;
    }
    case SDL_MOUSEWHEEL: {
        if (event.wheel.which == SDL_TOUCH_MOUSEID) return false;
        const float lines =
            event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY : event.wheel.preciseY;
        window.turnWheel(mousePoint(event.wheel.mouseX, event.wheel.mouseY, landscape, windowSize), lines);
        return true;
    }
    case SDL_MOUSEBUTTONUP:
        if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT || !mouseDown_) {
            return false;
        }
        mouseDown_ = false;
        touches.ended(kMouse, mousePoint(event.button.x, event.button.y, landscape, windowSize));
        return true;
    case SDL_FINGERDOWN: {
        // SDL can also report the mouse as a touch device; the mouse is already finger 0.
        if (event.tfinger.touchId == SDL_MOUSE_TOUCHID) return false;
        const int finger = nextFinger_++;
        fingers_[{event.tfinger.touchId, event.tfinger.fingerId}] = finger;
        touches.began(finger, fingerPoint(event.tfinger, landscape));
        return true;
    }
    case SDL_FINGERMOTION: {
        const std::optional<int> finger = knownFinger(event.tfinger);
        if (!finger) return false;
        touches.moved(*finger, fingerPoint(event.tfinger, landscape));
        return true;
    }
    case SDL_FINGERUP: {
        const std::optional<int> finger = knownFinger(event.tfinger);
        if (!finger) return false;
        touches.ended(*finger, fingerPoint(event.tfinger, landscape));
        fingers_.erase({event.tfinger.touchId, event.tfinger.fingerId});
        return true;
    }
    default: return false;
    }
}

void Input::reset() {
    mouseDown_ = false;
    fingers_.clear();
}

} // namespace ui::sdl

#pragma once

#include "platform/label.h"

#include <functional>
#include <string>

namespace ui {

// A label that acts when a finger lifts on it, its text another colour while
// a finger is down. A finger that lifts beside it does nothing.
class Button : public Label {
public:
    Button(Rect frame, std::string title, Font font, Color color, Color pressedColor, std::function<void()> action);

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;

private:
    Color color_;
    Color pressedColor_;
    std::function<void()> action_;
};

} // namespace ui

#pragma once

#include "platform/touch.h"
#include "platform/view.h"

#include <memory>
#include <string>

namespace ui {

class Label;

// A message with one button, over everything else in the key window. While
// it shows, it swallows every touch but those on its button; the button
// dismisses it and nothing else follows. It reads in landscape like the game.
class AlertView : public View {
public:
    // It fades out over the time a double tap takes, still swallowing every
    // touch, so that the second tap of a double tap on its button never
    // reaches what lies beneath.
    static constexpr double kClosing = TouchDispatcher::kMultiTapInterval;

    static std::shared_ptr<AlertView> show(std::string title, std::string message, std::string buttonTitle);

    AlertView(Rect frame, std::string title, std::string message, std::string buttonTitle);

    const std::string& title() const { return title_; }
    const std::string& message() const { return message_; }
    const std::string& buttonTitle() const { return buttonTitle_; }
    // The button's view, for whoever needs to find it on the screen.
    const View& button() const { return *button_; }
    void dismiss();

    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet&, const Event&) override {}
    void touchesEnded(const TouchSet&, const Event&) override {}
    void touchesCancelled(const TouchSet&, const Event&) override {}
    // Escape, Enter and Space press its button; no key reaches what lies beneath.
    bool keyPressed(Key key) override;

private:
    void closed();

    std::string title_;
    std::string message_;
    std::string buttonTitle_;
    std::shared_ptr<View> button_;
};

} // namespace ui

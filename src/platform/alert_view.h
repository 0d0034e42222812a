#pragma once

#include "platform/touch.h"
#include "platform/view.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ui {

// A second button, beside the first: it closes the alert and runs `run`.
struct AlertAction {
    std::string title;
    std::function<void()> run;
};

// A message with one button, or two, over everything else in the key window.
// While it shows, it swallows every touch but those on its buttons; the first
// button dismisses it and nothing else follows. It reads in landscape like the game.
class AlertView : public View {
public:
    // It fades out over the time a double tap takes, still swallowing every
    // touch, so that the second tap of a double tap on its button never
    // reaches what lies beneath.
    static constexpr double kClosing = TouchDispatcher::kMultiTapInterval;

    static std::shared_ptr<AlertView> show(std::string title, std::string message, std::string buttonTitle,
                                           std::optional<AlertAction> action = {});

    AlertView(Rect frame, std::string title, std::string message, std::string buttonTitle,
              std::optional<AlertAction> action = {});

    const std::string& title() const { return title_; }
    const std::string& message() const { return message_; }
    const std::string& buttonTitle() const { return buttonTitle_; }
    // The buttons' views, for whoever needs to find them on the screen: the
    // first, and the action's, if there is one.
    const View& button() const { return *button_; }
    const View* actionButton() const { return actionButton_.get(); }
    void dismiss();

    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet&, const Event&) override {}
    void touchesEnded(const TouchSet&, const Event&) override {}
    void touchesCancelled(const TouchSet&, const Event&) override {}
    // Escape presses the first button; Enter and Space the action's, or else the
    // only one. No key reaches what lies beneath.
    bool keyPressed(Key key) override;

private:
    void act();
    void closed();

    std::string title_;
    std::string message_;
    std::string buttonTitle_;
    std::shared_ptr<View> button_;
    std::shared_ptr<View> actionButton_;
    std::function<void()> action_;
    bool closing_ = false;
};

} // namespace ui

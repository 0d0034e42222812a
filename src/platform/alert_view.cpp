#include "platform/alert_view.h"

#include "platform/button.h"
#include "platform/label.h"
#include "platform/window.h"

#include <cassert>
#include <utility>

namespace ui {

namespace {

// The box as read in landscape, and its parts in the box's own coordinates.
constexpr Size kBox{280, 150};
constexpr Rect kTitle{12, 12, 256, 24};
constexpr Rect kMessage{12, 40, 256, 60};
constexpr Rect kButton{0, 108, 280, 42};
// Two buttons share its place, side by side.
constexpr Rect kFirstOfTwo{0, 108, 140, 42};
constexpr Rect kSecondOfTwo{140, 108, 140, 42};
constexpr Color kBoxColor{0.95f, 0.95f, 0.93f, 0.97f};
constexpr Color kTextColor{0.06f, 0.06f, 0.06f, 1};
constexpr Color kButtonColor{0.21f, 0.41f, 0.1f, 1};
constexpr Color kPressedColor{0.3f, 0.55f, 0.14f, 1};

std::shared_ptr<Button> makeButton(Rect frame, std::string title, std::function<void()> action) {
    return std::make_shared<Button>(frame, std::move(title), Font{"Helvetica-Bold", 17}, kButtonColor, kPressedColor,
                                    std::move(action));
}

std::shared_ptr<Label> makeLabel(Rect frame, std::string text, Font font, Color color) {
    auto label = std::make_shared<Label>(frame);
    label->setText(std::move(text));
    label->setFont(std::move(font));
    label->setTextColor(color);
    label->setTextAlignment(TextAlignment::Center);
    return label;
}

} // namespace

AlertView::AlertView(Rect frame, std::string title, std::string message, std::string buttonTitle,
                     std::optional<AlertAction> action)
    : View(frame), title_(std::move(title)), message_(std::move(message)), buttonTitle_(std::move(buttonTitle)) {
    // The alert itself stays clear, and so takes touches until it has gone, while the dimming fades.
    auto dim = std::make_shared<View>(bounds());
    dim->setBackgroundColor({0, 0, 0, 0.45f});
    dim->setUserInteractionEnabled(false);
    addSubview(std::move(dim));

    auto box = std::make_shared<View>(Rect{{0, 0}, kBox});
    box->setTransform(Transform::rotation(kLandscapeTurn));
    box->setCenter(bounds().center());
    box->setBackgroundColor(kBoxColor);
    box->addSubview(makeLabel(kTitle, title_, {"Helvetica-Bold", 17}, kTextColor));
    auto messageLabel = makeLabel(kMessage, message_, {"Helvetica", 14}, kTextColor);
    messageLabel->setNumberOfLines(0);
    box->addSubview(std::move(messageLabel));
    button_ = makeButton(action ? kFirstOfTwo : kButton, buttonTitle_, weakCall(this, &AlertView::dismiss));
    box->addSubview(button_);
    if (action) {
        action_ = std::move(action->run);
        actionButton_ = makeButton(kSecondOfTwo, std::move(action->title), weakCall(this, &AlertView::act));
        box->addSubview(actionButton_);
    }
    addSubview(std::move(box));
}

void AlertView::dismiss() {
    if (std::exchange(closing_, true)) return;
    beginAnimations();
    setAnimationDuration(kClosing);
    setAnimationDelegate(this, &AlertView::closed);
    for (const auto& view : subviews()) view->setAlpha(0);
    commitAnimations();
}

// A closing alert has been answered already: a second Enter must not act again.
void AlertView::act() {
    if (closing_) return;
    dismiss();
    if (action_) action_();
}

bool AlertView::keyPressed(Key key) {
    if (key == Key::Escape) dismiss();
    if (key == Key::Enter || key == Key::Space) act();
    return true;
}

void AlertView::closed() { removeFromSuperview(); }

std::shared_ptr<AlertView> AlertView::show(std::string title, std::string message, std::string buttonTitle,
                                           std::optional<AlertAction> action) {
    Window* window = Window::keyWindow();
    assert(window && "an alert needs a key window");
    auto alert = std::make_shared<AlertView>(window->bounds(), std::move(title), std::move(message),
                                             std::move(buttonTitle), std::move(action));
    window->addSubview(alert);
    return alert;
}

} // namespace ui

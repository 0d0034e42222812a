#include "widgets/ui_custom_scroll_view.h"

#include "platform/alert_view.h"
#include "platform/button.h"
#include "platform/touch.h"
#include "platform/window.h"
#include "widgets/label_colors.h"
#include "widgets/ui_custom_label.h"

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {

constexpr float kDeleteWidth = 60;
constexpr double kSlide = 0.2;
constexpr ui::Color kDeleteRed{0.85f, 0.16f, 0.14f, 1};
constexpr ui::Color kPressedText{1, 1, 1, 0.6f};

} // namespace

UICustomScrollView::UICustomScrollView(ui::Rect frame) : ScrollView(frame), rows_(*this, bounds().height()) {
    setBackgroundColor(ui::Color::white());
    setContentSize(kContentSize);
    setAlpha(0);
    setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    // It lies at the end of the open row, as wide as the row has moved aside: at first, nowhere.
    deleteButton_ = std::make_shared<ui::Button>(ui::Rect{kContentSize.width, 0, 0, SaveRows::kHeight}, "Delete",
                                                 ui::Font{"Helvetica-Bold", 12}, ui::Color::white(), kPressedText,
                                                 ui::weakCall(this, &UICustomScrollView::deleteOpenRow));
    deleteButton_->setBackgroundColor(kDeleteRed);
    deleteButton_->setClipsToBounds(true);
    addSubview(deleteButton_);
}

const ui::View& UICustomScrollView::deleteButton() const { return *deleteButton_; }

void UICustomScrollView::setSaveNames(std::vector<std::string> names) {
    names_ = std::move(names);
    relist();
}

void UICustomScrollView::removeSaveName(const std::string& name) {
    const auto gone = std::find(names_.begin(), names_.end(), name);
    if (gone == names_.end()) return;
    names_.erase(gone);
    relist();
}

// The rows show other saves than before.
void UICustomScrollView::relist() {
    hideDelete();
    rows_.forget();
    // Fourteen rows fill the list; from the fifteenth on it scrolls.
    const float rows = SaveRows::kHeight * static_cast<float>(names_.size());
    setContentSize({kContentSize.width, std::max(kContentSize.height, rows)});
    rows_.layout(names_, contentOffset().y);
}

// Scrolling hides the Delete button and brings other rows into sight.
void UICustomScrollView::didScroll() {
    hideDelete();
    rows_.layout(names_, contentOffset().y);
}

// Moves the open row aside by `width`, its Delete button showing in the space.
void UICustomScrollView::revealDelete(float width, bool animated) {
    if (!open_) return;
    if (animated) {
        beginAnimations();
        setAnimationDuration(kSlide);
    }
    const ui::Rect row = SaveRows::frameOf(*open_);
    deleteButton_->setFrame({kContentSize.width - width, row.minY(), width, row.height()});
    if (UICustomLabel* label = rows_.labelOf(*open_)) label->setFrame({-width, row.minY(), row.width(), row.height()});
    if (animated) commitAnimations();
    revealed_ = width;
}

void UICustomScrollView::hideDelete() {
    revealDelete(0, true);
    open_.reset();
}

void UICustomScrollView::touchesBegan(const ui::TouchSet& touches, const ui::Event&) {
    drag_ = Drag::Undecided;
    decide(touches.anyObject());
}

void UICustomScrollView::touchesMoved(const ui::TouchSet& touches, const ui::Event& event) {
    const ui::Touch& touch = touches.anyObject();
    if (drag_ == Drag::Undecided) decide(touch);
    if (drag_ == Drag::Scroll) ScrollView::touchesMoved(touches, event);
    if (drag_ == Drag::Swipe) {
        const float across = touch.locationInView(this).x - touch.startLocationInView(this).x;
        revealDelete(std::clamp(revealedBefore_ - across, 0.f, kDeleteWidth), false);
    }
}

void UICustomScrollView::touchesEnded(const ui::TouchSet&, const ui::Event&) { endDrag(); }
void UICustomScrollView::touchesCancelled(const ui::TouchSet&, const ui::Event&) { endDrag(); }

// Once a finger has gone farther than a tap, its drag is a swipe if it goes more across than
// down, on a row, to the left, or back to the right on the row whose Delete shows; else it scrolls.
void UICustomScrollView::decide(const ui::Touch& touch) {
    const ui::Point start = touch.startLocationInView(this);
    const ui::Point moved = touch.locationInView(this) - start;
    if (std::hypot(moved.x, moved.y) <= ui::TouchDispatcher::kTapSlop) return;
    const auto row = SaveRows::rowAt(start.y, names_.size());
    if (!row || std::abs(moved.x) <= std::abs(moved.y) || (moved.x > 0 && row != open_)) {
        hideDelete();
        drag_ = Drag::Scroll;
        return;
    }
    if (row != open_) hideDelete();
    open_ = row;
    revealedBefore_ = revealed_;
    drag_ = Drag::Swipe;
    // A finger held still on the row lit it, but the row is not being chosen.
    if (UICustomLabel* label = rows_.labelOf(*row)) label->setTextColor(kNormalText);
}

// A swipe leaves the Delete button open once more than half of it shows; a tap beside the rows hides it.
void UICustomScrollView::endDrag() {
    if (drag_ == Drag::Swipe && revealed_ > kDeleteWidth / 2)
        revealDelete(kDeleteWidth, true);
    else if (drag_ != Drag::Scroll)
        hideDelete();
    drag_ = Drag::Undecided;
}

void UICustomScrollView::deleteOpenRow() {
    if (!open_) return;
    const std::string name = names_[*open_];
    hideDelete();
    deleteSave(name);
}

void UICustomScrollView::deleteSave(const std::string& name) {
    if (auto* holder = dynamic_cast<SavedGameHolder*>(superview())) holder->deleteData(name);
}

// On the desktop, Delete or Backspace deletes the save under the pointer, once the player confirms it.
bool UICustomScrollView::keyPressed(ui::Key key) {
    const ui::Window* window = ui::Window::keyWindow();
    const ui::View* pointed = window ? window->hoveredView() : nullptr;
    const auto row = pointed ? rows_.rowOf(pointed) : std::nullopt;
    if (key != ui::Key::Delete || !row) return false;
    const std::string name = names_[*row];
    ui::AlertView::show("Delete Game", "Delete \"" + name + "\"? It cannot be loaded again.", "Cancel",
                        ui::AlertAction{"Delete", [this, token = liveness(), name] {
                                            if (!token.expired()) deleteSave(name);
                                        }});
    return true;
}

void UICustomScrollView::loadScrollData(const std::string& name) {
    // A tap while a Delete button shows only hides it.
    if (open_) {
        hideDelete();
        return;
    }
    if (auto* holder = dynamic_cast<SavedGameHolder*>(superview())) holder->loadData(name);
}

} // namespace widgets

#include "widgets/ui_custom_label.h"

#include "platform/touch.h"
#include "widgets/label_colors.h"
#include "widgets/label_container.h"

#include <algorithm>
#include <string_view>

namespace widgets {

namespace {

struct Row {
    std::string_view id;
    void (LabelContainer::*operation)();
};

// Which operation each label id runs on its container; ids not here run nothing.
constexpr Row kDispatch[] = {
    {"menu1", &LabelContainer::AnimateMenuOut},
    {"menu2", &LabelContainer::tapOnLoad},
    {"load_game", &LabelContainer::tapOnLoad},
    {"menu5", &LabelContainer::tapOnCredits},
    {"menu3", &LabelContainer::tapOnTutorial},
    {"menu6", &LabelContainer::tapOnRecords},
    {"menu11", &LabelContainer::tapNewGame},
    {"menu12", &LabelContainer::tapTimeTrialGame},
    {"menu114", &LabelContainer::menu114Animation},
    {"menu13", &LabelContainer::menu13Animation},
    {"restart", &LabelContainer::tapOnRestart},
    {"quit", &LabelContainer::tapOnQuit},
    {"back_to_menu", &LabelContainer::AnimateCreditsMenuOut},
    {"next_level", &LabelContainer::NextLevel},
    {"save_game", &LabelContainer::SaveGame},
};

struct TextRow {
    std::string_view id;
    void (LabelContainer::*operation)(const std::string&);
};

// The saved-game list's entries are unturned.
constexpr std::string_view kLoadEntry = "load_label";

// Labels that pass their text instead: a saved game's name, a difficulty's.
constexpr TextRow kDispatchText[] = {
    {kLoadEntry, &LabelContainer::loadScrollData},
    {"difficulty", &LabelContainer::startNewGame},
};

template <typename Table>
auto rowOf(const Table& table, std::string_view id) {
    const auto row = std::find_if(std::begin(table), std::end(table), [id](const auto& r) { return r.id == id; });
    return row == std::end(table) ? nullptr : &*row;
}

} // namespace

UICustomLabel::UICustomLabel(ui::Rect frame, std::string text, ui::Font font, std::string labelId)
    : labelId_(std::move(labelId)) {
    setBackgroundColor(ui::Color::clear());
    setTextAlignment(ui::TextAlignment::Left);
    // Entries of the saved-game list stay unturned; every other label reads in landscape.
    if (labelId_ != kLoadEntry) {
        setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
        setTextAlignment(ui::TextAlignment::Right);
    } else {
        // A save's name can be longer than the list is wide.
        setTruncatesTail(true);
    }
    setTextColor(is({"menu13", "menu114"}) ? kBackEntryGrey : kNormalText);
    if (is({"options", "save_loose"})) setTextColor(kInertText);
    setUserInteractionEnabled(true);
    setText(std::move(text));
    setFont(std::move(font));
    // Last, so that the frame is the label's box after the turn.
    setFrame(frame);
}

bool UICustomLabel::is(std::initializer_list<const char*> ids) const {
    return std::any_of(ids.begin(), ids.end(), [this](const char* id) { return labelId_ == id; });
}

// Titles and inert entries run nothing, and so never light up: their colours are their own.
bool UICustomLabel::runsSomething() const { return rowOf(kDispatch, labelId_) || rowOf(kDispatchText, labelId_); }

void UICustomLabel::lightUp() {
    if (runsSomething()) setTextColor(kHighlight);
}

void UICustomLabel::restoreColour() {
    if (runsSomething()) setTextColor(is({"menu13", "menu114"}) ? kBackEntryGrey : kNormalText);
}

void UICustomLabel::touchesBegan(const ui::TouchSet&, const ui::Event&) { lightUp(); }
void UICustomLabel::pointerEntered() { lightUp(); }
void UICustomLabel::pointerExited() { restoreColour(); }

void UICustomLabel::touchesMoved(const ui::TouchSet&, const ui::Event&) {}

// A cancelled touch (a list that scrolls instead) runs nothing.
void UICustomLabel::touchesCancelled(const ui::TouchSet&, const ui::Event&) { restoreColour(); }

// As with a desktop button, a finger that lifts outside the label runs nothing; there is no test of tap count.
void UICustomLabel::touchesEnded(const ui::TouchSet& touches, const ui::Event&) {
    restoreColour();
    if (pointInside(touches.anyObject().locationInView(this))) dispatch();
}

void UICustomLabel::dispatch() {
    auto* container = dynamic_cast<LabelContainer*>(superview());
    if (!container) return;
    if (const Row* row = rowOf(kDispatch, labelId_)) (container->*(row->operation))();
    if (const TextRow* row = rowOf(kDispatchText, labelId_)) (container->*(row->operation))(text());
}

} // namespace widgets

#include "support/harness.h"
#include "widgets/label_colors.h"
#include "widgets/label_container.h"
#include "widgets/ui_custom_label.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace widgets {
namespace {

#define RECORD(operation)                                                                                              \
    void operation() override { calls += #operation; }

// A screen that notes the operations its labels run.
struct Screen : ui::View, LabelContainer {
    using View::View;
    void loadScrollData(const std::string& name) override { calls += "load " + name; }
    void startNewGame(const std::string& difficulty) override { calls += "new game " + difficulty; }
    std::string calls;
    // clang-format off
    RECORD(AnimateMenuOut) RECORD(tapOnLoad) RECORD(tapOnCredits) RECORD(tapOnTutorial) RECORD(tapNewGame)
    RECORD(tapTimeTrialGame) RECORD(menu114Animation) RECORD(menu13Animation) RECORD(AnimateCreditsMenuOut)
    RECORD(tapOnRestart) RECORD(tapOnQuit) RECORD(NextLevel) RECORD(SaveGame)
    // clang-format on
};

TEST(CommandLabels, RunTheirOperationWhenTappedAndRecolourAfterATouchOrThePointer) {
    testkit::Harness h;
    auto screen = std::make_shared<Screen>(h.window().bounds());
    h.show(screen);
    const ui::Color N = kNormalText, G = kBackEntryGrey, I = kInertText, H = kHighlight;
    // The label id, what a tap runs, and its colour, as made (a title's, H, as its screen gives it) and
    // again whenever no finger or pointer lights it.
    const std::vector<std::tuple<std::string, std::string, ui::Color>> table = {
        {"menu1", "AnimateMenuOut", N},
        {"menu2", "tapOnLoad", N},
        {"menu3", "tapOnTutorial", N},
        {"menu5", "tapOnCredits", N},
        {"menu11", "tapNewGame", N},
        {"menu12", "tapTimeTrialGame", N},
        {"difficulty", "new game Entry", N},
        {"menu13", "menu13Animation", G},
        {"menu114", "menu114Animation", G},
        {"load_game", "tapOnLoad", N},
        {"back_to_menu", "AnimateCreditsMenuOut", N},
        {"restart", "tapOnRestart", N},
        {"quit", "tapOnQuit", N},
        {"next_level", "NextLevel", N},
        {"save_game", "SaveGame", N},
        {"load_label", "load Entry", N},
        {"menu_titlu", "", H},
        {"credits", "", H},
        {"tutorial", "", H},
        {"win", "", H},
        {"lose", "", H},
        {"load", "", H},
        {"options", "", I},
        {"save_loose", "", I}};
    for (const auto& [id, ops, colour] : table) {
        auto label =
            std::make_shared<UICustomLabel>(ui::Rect{100, 100, 25, 150}, "Entry", ui::Font{"Helvetica", 17}, id);
        screen->addSubview(label);
        if (colour == H) label->setTextColor(H);
        EXPECT_EQ(label->textColor(), colour) << id;
        // Only saved games read upright or from the left; other labels are turned to read in landscape, to the right.
        EXPECT_EQ(label->bounds().width() == 25 || label->textAlignment() == ui::TextAlignment::Left,
                  id == "load_label")
            << id;
        // A finger that slides off before it lifts runs nothing; nor does one cancelled, nor the pointer.
        h.drag(testkit::Harness::path(testkit::middleOf(*label), {300, 20}));
        EXPECT_EQ(label->textColor(), colour) << id;
        h.press(testkit::middleOf(*label)).cancel();
        h.hover(testkit::middleOf(*label));
        h.hover(std::nullopt);
        EXPECT_EQ(label->textColor(), colour) << id;
        h.tap(testkit::middleOf(*label));
        EXPECT_EQ(screen->calls, ops) << id;
        screen->calls.clear();
    }
}

} // namespace
} // namespace widgets

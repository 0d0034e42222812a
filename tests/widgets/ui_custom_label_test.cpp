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
    std::string calls;
    // clang-format off
    RECORD(AnimateMenuOut) RECORD(tapOnLoad) RECORD(tapOnCredits) RECORD(tapOnTutorial) RECORD(tapNewGame)
    RECORD(tapTimeTrialGame) RECORD(menu114Animation) RECORD(menu13Animation) RECORD(newEasyGame)
    RECORD(newMediumGame) RECORD(newHardGame) RECORD(AnimateCreditsMenuOut) RECORD(tapOnRestart) RECORD(tapOnQuit)
    RECORD(NextLevel) RECORD(SaveGame)
    // clang-format on
};

TEST(CommandLabels, RunTheirOperationWhenTappedAndRecolourAfterATouch) {
    testkit::Harness h;
    auto screen = std::make_shared<Screen>(h.window().bounds());
    h.show(screen);
    const ui::Color N = kNormalText, G = kBackEntryGrey, I = kInertText, H = kHighlight;
    // The label id, what a tap runs, its colour as made and after a finger has been on it.
    const std::vector<std::tuple<std::string, std::string, ui::Color, ui::Color>> table = {
        {"menu1", "AnimateMenuOut", N, N},
        {"menu2", "tapOnLoad", N, N},
        {"menu3", "tapOnTutorial", N, N},
        {"menu5", "tapOnCredits", N, N},
        {"menu11", "tapNewGame", N, N},
        {"menu12", "tapTimeTrialGame", N, N},
        {"menu111", "newEasyGame", N, N},
        {"menu112", "newMediumGame", N, N},
        {"menu113", "newHardGame", N, N},
        {"menu13", "menu13Animation", G, G},
        {"menu114", "menu114Animation", G, G},
        {"load_game", "tapOnLoad", N, N},
        {"back_to_menu", "AnimateCreditsMenuOut", N, N},
        {"restart", "tapOnRestart", N, N},
        {"quit", "tapOnQuit", N, N},
        {"next_level", "NextLevel", N, N},
        {"save_game", "SaveGame", N, N},
        {"load_label", "load Entry", N, N},
        {"menu_titlu", "", N, H},
        {"credits", "", N, H},
        {"tutorial", "", N, H},
        {"win", "", N, H},
        {"lose", "", N, H},
        {"options", "", I, I},
        {"save_loose", "", I, I}};
    for (const auto& [id, ops, made, after] : table) {
        auto label =
            std::make_shared<UICustomLabel>(ui::Rect{100, 100, 25, 150}, "Entry", ui::Font{"Helvetica", 17}, id);
        screen->addSubview(label);
        EXPECT_EQ(label->textColor(), made) << id;
        // Only saved games read upright or from the left; other labels are turned to read in landscape, to the right.
        EXPECT_EQ(label->bounds().width() == 25 || label->textAlignment() == ui::TextAlignment::Left,
                  id == "load_label")
            << id;
        // A finger that slides off before it lifts runs nothing.
        h.drag(testkit::Harness::path(testkit::middleOf(*label), {300, 20}));
        EXPECT_EQ(label->textColor(), after) << id;
        h.tap(testkit::middleOf(*label));
        EXPECT_EQ(screen->calls, ops) << id;
        screen->calls.clear();
    }
}

} // namespace
} // namespace widgets

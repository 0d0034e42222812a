#include "support/harness.h"
#include "support/printers.h"
#include "widgets/label_colors.h"
#include "widgets/label_container.h"
#include "widgets/ui_custom_label.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace widgets {
namespace {

// A screen that records which of its operations the labels on it ran.
class RecordingContainer : public ui::View, public LabelContainer {
public:
    explicit RecordingContainer(ui::Rect frame) : View(frame) {}

    std::vector<std::string> calls;

    void AnimateMenuOut() override { calls.push_back("AnimateMenuOut"); }
    void tapOnLoad() override { calls.push_back("tapOnLoad"); }
    void tapOnCredits() override { calls.push_back("tapOnCredits"); }
    void tapOnTutorial() override { calls.push_back("tapOnTutorial"); }
    void tapNewGame() override { calls.push_back("tapNewGame"); }
    void tapTimeTrialGame() override { calls.push_back("tapTimeTrialGame"); }
    void menu114Animation() override { calls.push_back("menu114Animation"); }
    void menu13Animation() override { calls.push_back("menu13Animation"); }
    void newEasyGame() override { calls.push_back("newEasyGame"); }
    void newMediumGame() override { calls.push_back("newMediumGame"); }
    void newHardGame() override { calls.push_back("newHardGame"); }
    void AnimateCreditsMenuOut() override { calls.push_back("AnimateCreditsMenuOut"); }
    void tapOnRestart() override { calls.push_back("tapOnRestart"); }
    void tapOnQuit() override { calls.push_back("tapOnQuit"); }
    void NextLevel() override { calls.push_back("NextLevel"); }
    void SaveGame() override { calls.push_back("SaveGame"); }
    void loadScrollData(const std::string& name) override { calls.push_back("loadScrollData:" + name); }
    void touchesBegan(const ui::TouchSet&, const ui::Event&) override { calls.push_back("container touched"); }
    void touchesEnded(const ui::TouchSet&, const ui::Event&) override { calls.push_back("container touched"); }
};

class LabelTest : public ::testing::Test {
protected:
    LabelTest() : container(std::make_shared<RecordingContainer>(h.window().bounds())) { h.show(container); }

    std::shared_ptr<UICustomLabel> add(const std::string& id, const std::string& text = "Entry") {
        auto label = std::make_shared<UICustomLabel>(ui::Rect{100, 100, 25, 150}, text, ui::Font{"Trebuchet MS", 17}, id);
        container->addSubview(label);
        return label;
    }
    static ui::Point middle(const ui::View& v) { return v.convertToWindow(v.bounds().center()); }

    testkit::Harness h;
    std::shared_ptr<RecordingContainer> container;
};

TEST_F(LabelTest, EachIdRunsItsOperationOnTheContainer) {
    const std::vector<std::pair<std::string, std::string>> table = {
        {"menu1", "AnimateMenuOut"},     {"menu2", "tapOnLoad"},         {"load_game", "tapOnLoad"},
        {"menu5", "tapOnCredits"},       {"menu3", "tapOnTutorial"},     {"menu11", "tapNewGame"},
        {"menu12", "tapTimeTrialGame"},  {"menu114", "menu114Animation"}, {"menu13", "menu13Animation"},
        {"menu111", "newEasyGame"},      {"menu112", "newMediumGame"},   {"menu113", "newHardGame"},
        {"restart", "tapOnRestart"},     {"quit", "tapOnQuit"},          {"back_to_menu", "AnimateCreditsMenuOut"},
        {"next_level", "NextLevel"},     {"save_game", "SaveGame"},
    };
    for (const auto& [id, operation] : table) {
        auto label = add(id);
        container->calls.clear();
        h.tap(middle(*label));
        EXPECT_EQ(container->calls, std::vector<std::string>{operation}) << id;
        label->removeFromSuperview();
        h.advance(1.0); // no double taps between rows
    }
}

TEST_F(LabelTest, TitlesGreyEntriesAndUnknownIdsRunNothing) {
    for (const char* id : {"menu_titlu", "credits", "tutorial", "load", "win", "lose", "options", "save_loose", "other"}) {
        auto label = add(id);
        container->calls.clear();
        h.tap(middle(*label));
        EXPECT_TRUE(container->calls.empty()) << id;
        label->removeFromSuperview();
    }
}

TEST_F(LabelTest, TheSavedGameEntryIsUnturnedAndPassesItsText) {
    auto entry = add("load_label", "[Dec 6, 2026], LVL 3, Easy, SP");
    EXPECT_TRUE(entry->transform().isIdentity());
    EXPECT_EQ(entry->textAlignment(), ui::TextAlignment::Left);
    h.tap(middle(*entry));
    EXPECT_EQ(container->calls, std::vector<std::string>{"loadScrollData:[Dec 6, 2026], LVL 3, Easy, SP"});
}

TEST_F(LabelTest, MadeTurnedRightAlignedAndFramedAfterTheTurn) {
    auto label = add("menu1");
    EXPECT_FLOAT_EQ(label->transform().angle, -1.5707964f);
    EXPECT_EQ(label->textAlignment(), ui::TextAlignment::Right);
    EXPECT_EQ(label->frame(), (ui::Rect{100, 100, 25, 150}));
    EXPECT_EQ(label->bounds().size, (ui::Size{150, 25}));
    EXPECT_TRUE(label->isUserInteractionEnabled());
    EXPECT_EQ(label->backgroundColor(), ui::Color::clear());
    // Its text reads bottom to top inside its frame.
    const auto drawn = h.render().texts();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_NEAR(drawn[0].turn, -1.5707964f, 1e-4);
    EXPECT_EQ(drawn[0].box, (ui::Rect{100, 100, 25, 150}));
}

TEST_F(LabelTest, ColoursFollowTheIdWhileHeldAndAfter) {
    struct Case {
        const char* id;
        ui::Color made, held, after;
    };
    const std::vector<Case> cases = {
        {"menu1", kNormalText, kHighlight, kNormalText},
        {"menu13", kBackEntryGrey, kHighlight, kBackEntryGrey},
        {"menu114", kBackEntryGrey, kHighlight, kBackEntryGrey},
        {"options", kInertText, kInertText, kInertText},
        {"save_loose", kInertText, kInertText, kInertText},
        // The load panel's title turns to normal text when a finger lifts from it.
        {"load", kNormalText, kHighlight, kNormalText},
    };
    for (const Case& c : cases) {
        auto label = add(c.id);
        EXPECT_EQ(label->textColor(), c.made) << c.id;
        // The pointer passing over it gives it the colours a finger would.
        h.hover(middle(*label));
        EXPECT_EQ(label->textColor(), c.held) << c.id;
        h.hover(ui::Point{300, 20});
        EXPECT_EQ(label->textColor(), c.after) << c.id;
        auto finger = h.press(middle(*label));
        EXPECT_EQ(label->textColor(), c.held) << c.id;
        finger.slideTo({300, 20});
        finger.lift();
        EXPECT_EQ(label->textColor(), c.after) << c.id;
        label->removeFromSuperview();
        h.advance(1.0);
    }
    // Lifted outside their labels, the fingers ran nothing.
    EXPECT_TRUE(container->calls.empty());
}

TEST_F(LabelTest, TitlesKeepTheColourTheirScreenGaveThem) {
    for (const char* id : {"menu_titlu", "credits", "tutorial", "win", "lose"}) {
        auto title = add(id);
        title->setTextColor(kHighlight);
        h.tap(middle(*title));
        EXPECT_EQ(title->textColor(), kHighlight) << id;
        title->removeFromSuperview();
    }
}

TEST_F(LabelTest, ACancelledTouchRunsNothingAndStaysLit) {
    auto label = add("quit");
    auto finger = h.press(middle(*label));
    finger.cancel();
    EXPECT_EQ(label->textColor(), kHighlight);
    EXPECT_TRUE(container->calls.empty());
    // The label's touches are its own: nothing reached the container.
    h.tap(middle(*label));
    EXPECT_EQ(container->calls, std::vector<std::string>{"tapOnQuit"});
}

TEST_F(LabelTest, ANewIdChangesTheOperationButNotTheLook) {
    auto label = add("restart", "Restart");
    label->setLabelId("next_level");
    label->setText("Next Level");
    h.tap(middle(*label));
    EXPECT_EQ(container->calls, std::vector<std::string>{"NextLevel"});
    EXPECT_EQ(label->textAlignment(), ui::TextAlignment::Right);
    EXPECT_FALSE(label->transform().isIdentity());
}

} // namespace
} // namespace widgets

#include "platform/sdl/font_library.h"
#include "saves/file_name.h"
#include "start/start_screen_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <tuple>

namespace {

// Every one-line text the screens show, in the font its label names, fits the label.
class ScreenTexts : public testkit::StartScreenTest {
protected:
    void collect(const ui::View& view) {
        const auto* label = dynamic_cast<const ui::Label*>(&view);
        if (label && label->numberOfLines() == 1) {
            texts.emplace(label->text(), label->font().name, label->font().size, label->bounds().width());
        }
        for (const auto& subview : view.subviews()) collect(*subview);
    }

    std::set<std::tuple<std::string, std::string, float, float>> texts;
};

TEST_F(ScreenTexts, FitTheirLabels) {
    // The widest name the list can show: saved at exit, in English, with a long level.
    const std::string saveName = saves::saveName(
        saves::SaveKind::AtExit, saves::dateTimeText(1'790'636'280, "en_US.UTF-8", "UTC"), 99, "Medium", true);
    std::ofstream(saveFolder.path() / (saveName + ".plist"));

    toMainMenu();
    choose(entry(start->mainMenu(), 1)); // "Load Game"
    h.advance(kPanelOpens);
    collect(h.window());
    h.pressKey(ui::Key::Escape);
    h.advance(kPanelOpens);
    playNewGame(true, 1); // "Time Trial", "Medium"; the menus gone stay in the tree
    h.doubleTap({8, 240}); // the options menu
    h.advance(1.1);
    h.tap(testkit::middleOf(*game().label2())); // "Save Game", which answers with an alert
    h.advance(0.5);
    collect(h.window());

    ASSERT_TRUE(std::ranges::any_of(texts, [&](const auto& t) { return std::get<0>(t) == saveName; }));
    ui::sdl::FontLibrary fonts;
    for (const auto& [text, name, size, width] : texts) {
        TTF_Font* font = fonts.font(name, static_cast<int>(size));
        ASSERT_TRUE(font) << name;
        int w = 0;
        TTF_SizeUTF8(font, text.c_str(), &w, nullptr);
        EXPECT_LE(w, width) << '"' << text << "\" in " << name << ' ' << size;
    }
    EXPECT_STREQ(TTF_FontFaceStyleName(fonts.font("Helvetica-Bold", 14)), "Bold");
    EXPECT_EQ(fonts.font("Helvetica-Bold", 14), fonts.font("Helvetica-Bold", 14)); // opened once
}

} // namespace

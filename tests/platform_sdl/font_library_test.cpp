#include "platform/sdl/font_library.h"
#include "saves/file_name.h"
#include "start/start_screen_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>

namespace {

using ui::sdl::FontLibrary;

TEST(FontLibrary, ResolvesTheScreensFontNamesToInstalledFonts) {
    for (const char* name : {"Trebuchet MS", "Helvetica", "Helvetica-Bold"}) {
        const auto file = FontLibrary::resolve(name);
        ASSERT_TRUE(file) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(*file)) << name << ": " << *file;
    }
    // Bold is a face of its own.
    const auto bold = FontLibrary::resolve("Helvetica-Bold");
    const auto regular = FontLibrary::resolve("Helvetica");
    EXPECT_NE(*bold, *regular);

    FontLibrary fonts;
    TTF_Font* small = fonts.font("Helvetica-Bold", 14);
    TTF_Font* large = fonts.font("Helvetica-Bold", 28);
    ASSERT_TRUE(small && large);
    EXPECT_EQ(fonts.font("Helvetica-Bold", 14), small); // opened once
    EXPECT_NE(std::string(TTF_FontFaceStyleName(small)).find("Bold"), std::string::npos);
    EXPECT_EQ(std::string(TTF_FontFaceStyleName(fonts.font("Helvetica", 14))).find("Bold"), std::string::npos);
    EXPECT_NEAR(TTF_FontHeight(large), 2 * TTF_FontHeight(small), 2);
}

// Every one-line text the screens show, with its font, against its label's width.
class ScreenTexts : public testkit::StartScreenTest {
protected:
    void collect(const ui::View& view) {
        const auto* label = dynamic_cast<const ui::Label*>(&view);
        if (label && label->numberOfLines() == 1) {
            texts.emplace(label->text(), label->font().name, label->font().size, label->bounds().width());
        }
        for (const auto& subview : view.subviews()) collect(*subview);
    }
    void collectAll() { collect(h.window()); }

    std::set<std::tuple<std::string, std::string, float, float>> texts;
};

TEST_F(ScreenTexts, FitTheirLabels) {
    // The widest name the list can show: saved at exit, in English, with a long level.
    const std::string saveName = saves::saveName(
        saves::SaveKind::AtExit, saves::dateTimeText(1'790'636'280, "en_US.UTF-8", "UTC"), 99, "Medium", true);
    std::ofstream(saveFolder.path() / (saveName + ".plist"));

    toMainMenu();
    collectAll();
    choose(entry(start->mainMenu(), 1)); // "Load Game"
    h.advance(kPanelOpens);
    collectAll();
    h.pressKey(ui::Key::Escape);
    h.advance(kPanelOpens);
    choose(entry(start->mainMenu(), 0)); // "New Game"
    collectAll();
    choose(entry(start->gameModeMenu(), 1)); // "Time Trial"; the menus gone stay in the tree
    collectAll();
    h.tap(testkit::middleOf(entry(start->difficultyMenu(), 1)));
    h.advance(kGameFlip);
    h.doubleTap({8, 240}); // the options menu
    h.advance(1.1);
    h.tap(testkit::middleOf(*game().label2())); // "Save Game", which answers with an alert
    h.advance(0.5);
    collectAll();

    ASSERT_TRUE(std::ranges::any_of(texts, [&](const auto& t) { return std::get<0>(t) == saveName; }));
    ui::sdl::FontLibrary fonts;
    for (const auto& [text, name, size, width] : texts) {
        TTF_Font* font = fonts.font(name, static_cast<int>(size));
        ASSERT_TRUE(font) << name;
        int w = 0;
        TTF_SizeUTF8(font, text.c_str(), &w, nullptr);
        EXPECT_LE(w, width) << '"' << text << "\" in " << name << ' ' << size;
    }
}

} // namespace

#include "platform/sdl/font_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using ui::sdl::FontLibrary;

TEST(FontLibrary, ResolvesTheScreensFontNamesToInstalledFonts) {
    for (const char* name : {"Trebuchet MS", "Helvetica", "Helvetica-Bold"}) {
        const auto file = FontLibrary::resolve(name);
        ASSERT_TRUE(file) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(file->path)) << name << ": " << file->path;
    }
    // The style after the dash chooses the face.
    const auto bold = FontLibrary::resolve("Helvetica-Bold");
    const auto regular = FontLibrary::resolve("Helvetica");
    EXPECT_NE(bold->path, regular->path);

    FontLibrary fonts;
    TTF_Font* small = fonts.font("Helvetica-Bold", 14);
    TTF_Font* large = fonts.font("Helvetica-Bold", 28);
    ASSERT_TRUE(small && large);
    EXPECT_EQ(fonts.font("Helvetica-Bold", 14), small); // opened once
    EXPECT_NE(std::string(TTF_FontFaceStyleName(small)).find("Bold"), std::string::npos);
    EXPECT_EQ(std::string(TTF_FontFaceStyleName(fonts.font("Helvetica", 14))).find("Bold"), std::string::npos);
    EXPECT_NEAR(TTF_FontHeight(large), 2 * TTF_FontHeight(small), 2);
}

} // namespace

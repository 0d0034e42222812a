#include "saves/file_name.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>

namespace testkit {
namespace {

TEST(SaveNameTest, SaysTheMomentLevelDifficultyModeAndWhoSaved) {
    const std::string d = "Dec 5, 2026, 1:28\u202FPM";
    EXPECT_EQ(saves::saveName(saves::SaveKind::OnRequest, d, 3, "Easy", false), "[" + d + "], LVL 3, Easy, SP");
    EXPECT_EQ(saves::saveName(saves::SaveKind::AtExit, d, 104, "Hard", true), "[" + d + "]-auto, LVL 104, Hard, TT");

    // 14 November 2023, 22:13:20 UTC, as the locale writes a medium date and a short time, in the zone asked for.
    const auto at = [](const char* locale, const char* zone) { return saves::dateTimeText(1'700'000'000, locale, zone); };
    EXPECT_EQ(at("en_US.UTF-8", "UTC").rfind("Nov 14, 2023, 10:13", 0), 0u) << at("en_US.UTF-8", "UTC");
    EXPECT_EQ(at("en_US.UTF-8", "Asia/Tokyo").rfind("Nov 15, 2023, 7:13", 0), 0u) << at("en_US.UTF-8", "Asia/Tokyo");
    EXPECT_EQ(at("C.UTF-8", "UTC"), at("en_US.UTF-8", "UTC")); // ICU's en_US_POSIX
    EXPECT_EQ(at("ja_JP.UTF-8", "UTC"), "2023-11-14 22:13");   // written with slashes

    // Tab, DEL and the C1 control U+0085 go; the format mark U+200F and the no-break space stay.
    EXPECT_EQ(saves::fileNameSafe("a/b\tc\x7f" "d\u0085e\u200F\u202Ff"), "a-b-c-d-e\u200F\u202Ff");
}

TEST(SaveNameTest, TheLocaleComesFromLcAllThenLcTimeThenLang) {
    ScopedEnvironment all("LC_ALL", "ja_JP.UTF-8");
    ScopedEnvironment time("LC_TIME", "de_DE.UTF-8");
    ScopedEnvironment lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "ja_JP.UTF-8");
    // Empty counts as unset, as in the C library.
    ScopedEnvironment emptyAll("LC_ALL", "");
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "de_DE.UTF-8");
    ScopedEnvironment noTime("LC_TIME", nullptr);
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "en_US.UTF-8");
    ScopedEnvironment noLang("LANG", nullptr);
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "C");
}

} // namespace
} // namespace testkit

#include "saves/file_name.h"
#include "saves_support.h"

#include <gtest/gtest.h>

namespace testkit {
namespace {

// 14 November 2023, 22:13:20 UTC.
constexpr std::int64_t kMoment = 1'700'000'000;

TEST(DateTimeTextTest, IsTheLocalesMediumDateAndShortTime) {
    // en_US puts a narrow no-break space before PM.
    EXPECT_EQ(saves::dateTimeText(kMoment, "en_US.UTF-8", "UTC"), "Nov 14, 2023, 10:13\u202FPM");
    EXPECT_EQ(saves::dateTimeText(kMoment, "de_DE.UTF-8@euro", "UTC"), "14.11.2023, 22:13");
    EXPECT_EQ(saves::dateTimeText(kMoment, "en_GB", "UTC"), "14 Nov 2023, 22:13");
    // The C locale is ICU's en_US_POSIX.
    EXPECT_EQ(saves::dateTimeText(kMoment, "C.UTF-8", "UTC"), "Nov 14, 2023, 10:13\u202FPM");
    // The zone moves the moment across midnight.
    EXPECT_EQ(saves::dateTimeText(kMoment, "en_US.UTF-8", "Asia/Tokyo"), "Nov 15, 2023, 7:13\u202FAM");
}

TEST(DateTimeTextTest, SlashesOfTheDateBecomeDashesAndNothingElseChanges) {
    EXPECT_EQ(saves::dateTimeText(kMoment, "ja_JP.UTF-8", "UTC"), "2023-11-14 22:13");
    // Arabic digits, with the right-to-left marks the locale puts around each separator.
    const std::string arabic = saves::dateTimeText(kMoment, "ar_EG.UTF-8", "UTC");
    EXPECT_EQ(arabic.find('/'), std::string::npos);
    EXPECT_EQ(arabic, "\u0661\u0664\u200F-\u0661\u0661\u200F-\u0662\u0660\u0662\u0663\u060C "
                      "\u0661\u0660:\u0661\u0663 \u0645");
}

TEST(DateTimeTextTest, FileNameSafeTurnsSlashesAndControlCharactersIntoDashes) {
    // Tab, DEL and the C1 control U+0085 go; the format mark U+200F and the no-break space stay.
    EXPECT_EQ(saves::fileNameSafe("a/b\tc\x7f" "d\u0085e\u200F\u202Ff"), "a-b-c-d-e\u200F\u202Ff");
    EXPECT_EQ(saves::fileNameSafe("Nov 14, 2023"), "Nov 14, 2023");
}

TEST(DateTimeTextTest, TheLocaleComesFromLcAllThenLcTimeThenLang) {
    ScopedEnvironment all("LC_ALL", "ja_JP.UTF-8");
    ScopedEnvironment time("LC_TIME", "de_DE.UTF-8");
    ScopedEnvironment lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "ja_JP.UTF-8");
    {
        // Empty counts as unset, as in the C library.
        ScopedEnvironment emptyAll("LC_ALL", "");
        EXPECT_EQ(saves::timeLocaleFromEnvironment(), "de_DE.UTF-8");
        ScopedEnvironment noTime("LC_TIME", nullptr);
        EXPECT_EQ(saves::timeLocaleFromEnvironment(), "en_US.UTF-8");
        ScopedEnvironment noLang("LANG", nullptr);
        EXPECT_EQ(saves::timeLocaleFromEnvironment(), "C");
    }
}

TEST(SaveNameTest, BothWritersBothModesAndLevelsOfSeveralDigits) {
    const std::string d = "Dec 5, 2026, 1:28\u202FPM";
    EXPECT_EQ(saves::saveName(saves::SaveKind::OnRequest, d, 3, "Easy", false), "[" + d + "], LVL 3, Easy, SP");
    EXPECT_EQ(saves::saveName(saves::SaveKind::AtExit, d, 3, "Easy", false), "[" + d + "]-auto, LVL 3, Easy, SP");
    EXPECT_EQ(saves::saveName(saves::SaveKind::OnRequest, d, 12, "Medium", true), "[" + d + "], LVL 12, Medium, TT");
    EXPECT_EQ(saves::saveName(saves::SaveKind::AtExit, d, 104, "Hard", true), "[" + d + "]-auto, LVL 104, Hard, TT");
}

} // namespace
} // namespace testkit

#include "core/board.h"
#include "saves/property_list.h"
#include "saves/record.h"
#include "saves_support.h"

#include <gtest/gtest.h>

#include <string>

namespace testkit {
namespace {

// The sample record as XML, with one entry's text replaced.
std::string sampleXmlWith(const std::string& from, const std::string& to) {
    std::string xml = saves::encodeRecord(sampleRecord());
    const auto at = xml.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? xml : xml.replace(at, from.size(), to);
}

std::string problemOf(const std::string& bytes) {
    const auto result = saves::decodeRecord(bytes);
    EXPECT_FALSE(result.ok());
    return result.problem;
}

TEST(RecordTest, IsWrittenAsAnXmlPropertyListVersion1) {
    const std::string xml = saves::encodeRecord(sampleRecord());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_NE(xml.find("<plist version=\"1.0\">\n<dict>"), std::string::npos);
    EXPECT_NE(xml.find("<key>Difficulty</key>\n\t<string>Medium</string>"), std::string::npos);
    EXPECT_NE(xml.find("<key>TimeTrial</key>\n\t<true/>"), std::string::npos);
    EXPECT_NE(xml.find("<key>IsGameEnded</key>\n\t<false/>"), std::string::npos);
    // The keys in the writers' order.
    std::size_t last = 0;
    for (const char* key : {"ScoreInc", "Difficulty", "Level", "Score", "TimeTrial", "NumberOfNodes", "xNodes",
                            "yNodes", "Links", "IsGameEnded", "Minutes", "Seconds"}) {
        const auto at = xml.find("<key>" + std::string(key) + "</key>");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }
}

TEST(RecordTest, TheTwelveValuesComeBackAsTheyWentUpToTheirLimitsAndTheInt32Limits) {
    auto record = sampleRecord();
    EXPECT_EQ(saves::decodeRecord(saves::encodeRecord(record)).record, record);

    record.Level = record.Score = record.ScoreInc = saves::kMaxProgress;
    record.xNodes = {0, core::kMaxCoordinate, 7};
    record.TimeTrial = false;
    // Outside Time Trial the clock is not used, and not checked.
    record.Minutes = -2'147'483'647 - 1;
    record.Seconds = 2'147'483'647;
    std::string xml = saves::encodeRecord(record);
    EXPECT_NE(xml.find("<integer>-2147483648</integer>"), std::string::npos);
    EXPECT_EQ(saves::decodeRecord(xml).record, record);

    // The largest board the game writes: every circle linked twice, with the widest numbers.
    record.NumberOfNodes = core::kMaxRebuildNodes;
    record.xNodes.assign(core::kMaxRebuildNodes, core::kMaxCoordinate);
    record.yNodes = record.xNodes;
    const std::int32_t last = core::kMaxRebuildNodes - 1;
    record.Links.assign(core::kMaxRebuildNodes, {last, last - 1});
    record.Links[last - 1] = {last, 0};
    record.Links[last] = {0, 1};
    xml = saves::encodeRecord(record);
    EXPECT_LE(xml.size(), saves::kMaxFileSize);
    EXPECT_EQ(saves::decodeRecord(xml).record, record);
}

TEST(RecordTest, EntriesTheLoaderDoesWithoutMayBeMissing) {
    auto singlePlayer = sampleRecord();
    singlePlayer.TimeTrial = false;
    std::string xml = saves::encodeRecord(singlePlayer);
    for (const char* entry : {"\t<key>Minutes</key>\n\t<integer>1</integer>\n", "\t<key>Seconds</key>\n\t<integer>7</integer>\n"}) {
        xml.erase(xml.find(entry), std::string(entry).size());
    }
    auto read = saves::decodeRecord(xml);
    ASSERT_TRUE(read.ok()) << read.problem;
    EXPECT_EQ(read.record->Minutes, 0);
    EXPECT_EQ(read.record->Seconds, 0);

    // In Time Trial the clock is needed.
    EXPECT_EQ(problemOf(sampleXmlWith("<key>Minutes</key>", "<key>Minutes left</key>")), "The entry \"Minutes\" is missing.");

    // An ended level goes on with a new board: its lists may be missing, not so its node count.
    auto ended = sampleRecord();
    ended.IsGameEnded = true;
    ended.xNodes.clear();
    ended.yNodes.clear();
    ended.Links.clear();
    xml = saves::encodeRecord(ended);
    xml.erase(xml.find("\t<key>xNodes</key>"), xml.find("\t<key>IsGameEnded</key>") - xml.find("\t<key>xNodes</key>"));
    ASSERT_EQ(xml.find("xNodes"), std::string::npos);
    read = saves::decodeRecord(xml);
    ASSERT_TRUE(read.ok()) << read.problem;
    EXPECT_EQ(read.record, ended);
    const auto withNodes = [&](const char* count) {
        std::string changed = xml;
        return changed.replace(changed.find("<integer>3</integer>"), 20, "<integer>" + std::string(count) + "</integer>");
    };
    EXPECT_EQ(problemOf(withNodes("2")), "The node count 2 is below 3.");
    EXPECT_EQ(problemOf(withNodes("100000")), "The next level would have more than 100000 nodes.");
    EXPECT_TRUE(saves::decodeRecord(withNodes("99999")).ok());
}

TEST(RecordTest, TheReaderNamesTheFaultyEntry) {
    const struct {
        const char* was;
        const char* becomes;
        const char* problem;
    } cases[] = {
        {"<string>Medium</string>", "<integer>2</integer>", "The entry \"Difficulty\" is not a text."},
        {"<string>Medium</string>", "<string>medium</string>", "The entry \"Difficulty\" is not Easy, Medium or Hard."},
        {"<true/>", "<integer>1</integer>", "The entry \"TimeTrial\" is not true or false."},
        {"<integer>12</integer>", "<real>12</real>", "The entry \"Level\" is not a whole number."},
        {"<integer>12</integer>", "<integer>0</integer>", "The level 0 is below 1."},
        // Values the next wins would carry past 32 bits, or that no game reaches.
        {"<integer>12</integer>", "<integer>2147483647</integer>", "The level 2147483647 is more than 1000000000."},
        {"<integer>220</integer>", "<integer>1000000001</integer>", "The score 1000000001 is more than 1000000000."},
        {"<integer>220</integer>", "<integer>-1</integer>", "The score -1 is below 0."},
        {"<integer>20</integer>", "<integer>1000000001</integer>", "The score increment 1000000001 is more than 1000000000."},
        {"<integer>290</integer>", "<integer>2147483647</integer>", "Node 2 lies at (2147483647, 1000), outside the play area."},
        {"<integer>123</integer>", "<string>123</string>", "Element 1 of the entry \"xNodes\" is not a whole number."},
        {"<array/>", "<integer>5</integer>", "List 1 of \"Links\" is not a list."},
        {"<integer>7</integer>", "<integer>61</integer>", "The clock reads 1:61, which no clock shows."},
        {"<key>yNodes</key>\n\t<array>", "<key>yNodes</key>\n\t<dict/><array>", "The file is not a readable property list: it is damaged or cut short."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(problemOf(sampleXmlWith(c.was, c.becomes)), c.problem) << c.becomes;
    }
}

TEST(RecordTest, NumbersOutsideThirtyTwoBitsOrWrittenOddlyAreRefused) {
    // Outside Time Trial the minutes are read but not used, so any 32-bit value goes.
    auto singlePlayer = sampleRecord();
    singlePlayer.TimeTrial = false;
    const std::string xml = saves::encodeRecord(singlePlayer);
    const std::string minutes = "<key>Minutes</key>\n\t<integer>1</integer>";
    const auto minutesOf = [&](const std::string& text) {
        std::string changed = xml;
        changed.replace(changed.find(minutes), minutes.size(), "<key>Minutes</key>\n\t<integer>" + text + "</integer>");
        const auto result = saves::decodeRecord(changed);
        return result.ok() ? std::to_string(result.record->Minutes) : result.problem;
    };
    EXPECT_EQ(minutesOf("2147483647"), "2147483647");
    EXPECT_EQ(minutesOf("-2147483648"), "-2147483648");
    EXPECT_EQ(minutesOf("+5"), "5");
    const std::string tooWide = "The entry \"Minutes\" does not fit in 32 bits.";
    EXPECT_EQ(minutesOf("2147483648"), tooWide);
    EXPECT_EQ(minutesOf("-2147483649"), tooWide);
    EXPECT_EQ(minutesOf("18446744073709551615"), tooWide); // would read as -1 as 64 signed bits
    const std::string odd = "The file holds a number that is not a whole decimal number of at most 64 bits.";
    // libplist alone would read these as 1, 1, 8 and 16.
    EXPECT_EQ(minutesOf("-18446744073709551615"), odd);
    EXPECT_EQ(minutesOf("-99999999999999999999999"), odd);
    EXPECT_EQ(minutesOf("010"), odd);
    EXPECT_EQ(minutesOf("0x10"), odd);
    EXPECT_EQ(minutesOf(" 5"), odd);
    EXPECT_EQ(minutesOf(""), odd);
    EXPECT_EQ(minutesOf("0<!-- joined to -->10"), odd); // 010 again
}

TEST(RecordTest, FilesTooLargeOrNestedTooDeepAreRefusedWithoutCrashing) {
    // The largest file read, all of it nesting.
    std::string deep = "<plist>";
    while (deep.size() + 6 <= saves::kMaxFileSize) deep += "<dict>";
    const std::string tooDeep = "The file nests lists more than 32 deep.";
    EXPECT_EQ(problemOf(deep), tooDeep);
    const auto nested = [](std::size_t depth, const std::string& between) {
        std::string lists;
        for (std::size_t i = 0; i < depth; ++i) lists += "<array>" + between;
        for (std::size_t i = 0; i < depth; ++i) lists += "</array>";
        return "<plist>" + lists + "</plist>";
    };
    EXPECT_EQ(problemOf(nested(saves::kMaxFileSize / 16, "")), tooDeep);
    EXPECT_EQ(problemOf(nested(32, "")), "The file holds no dictionary of entries, so it is not a saved game.");
    // Closing tags inside markup the parser skips close nothing.
    for (const char* hidden : {"<!-- > </array> -->", "<![CDATA[ > </array>]]>", "<!DOCTYPE plist [<!ENTITY x> </array>]>",
                               "<?x > </array>?>"}) {
        EXPECT_EQ(problemOf(nested(33, hidden)), tooDeep) << hidden;
    }

    std::string large = saves::encodeRecord(sampleRecord());
    large.insert(large.find("<dict>"), std::string(saves::kMaxFileSize, ' '));
    EXPECT_EQ(problemOf(large), "The file is " + std::to_string(large.size())
                                    + " bytes long, more than any saved game (16777216).");
}

} // namespace
} // namespace testkit

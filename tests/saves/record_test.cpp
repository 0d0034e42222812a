// Saved games read back as they were written, by Lirvo and by Python's
// plistlib; anything damaged or hostile is refused with its reason.
#include "core/board.h"
#include "saves/property_list.h"
#include "saves/save_folder.h"
#include "saves_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace testkit {
namespace {

const saves::SaveFolder kDamaged(std::filesystem::path(LIRVO_SAVE_FILES) / "damaged");

TEST(RecordTest, WhatTheGameWritesReadsBackUpToEveryLimit) {
    auto record = sampleRecord();
    EXPECT_EQ(saves::decodeRecord(saves::encodeRecord(record)).record, record);

    record.Level = record.Score = record.ScoreInc = saves::kMaxProgress;
    // Outside Time Trial the clock is neither used nor checked.
    record.TimeTrial = false;
    record.Minutes = -2'147'483'647 - 1;
    record.Seconds = 2'147'483'647;
    EXPECT_EQ(saves::decodeRecord(saves::encodeRecord(record)).record, record);

    // The largest board the game writes: every circle linked twice, with the widest numbers.
    const std::int32_t last = core::kMaxRebuildNodes - 1;
    record.NumberOfNodes = core::kMaxRebuildNodes;
    record.xNodes.assign(core::kMaxRebuildNodes, core::kMaxCoordinate);
    record.yNodes = record.xNodes;
    record.Links.assign(core::kMaxRebuildNodes, {last, last - 1});
    record.Links[last - 1] = {last, 0};
    record.Links[last] = {0, 1};
    const std::string xml = saves::encodeRecord(record);
    EXPECT_LE(xml.size(), saves::kMaxFileSize);
    EXPECT_EQ(saves::decodeRecord(xml).record, record);
}

TEST(RecordTest, EveryDamagedFileIsRefusedWithItsReason) {
    // The sample's XML with each text replaced in turn.
    const auto edited = [](std::initializer_list<std::pair<std::string, std::string>> edits) {
        std::string xml = saves::encodeRecord(sampleRecord());
        for (const auto& [from, to] : edits) {
            const auto at = xml.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos) xml.replace(at, from.size(), to);
        }
        return xml;
    };
    const auto minutes = [&](const std::string& text) {
        return edited({{"<true/>", "<false/>"}, {"<integer>4<", "<integer>" + text + "<"}});
    };
    const auto ended = [&](const std::string& nodes) {
        return edited({{"<false/>", "<true/>"}, {"<key>xNodes", "<key>x"}, {"<key>yNodes", "<key>y"},
                       {"<key>Links", "<key>L"}, {"<integer>3<", "<integer>" + nodes + "<"}});
    };
    const auto nested = [](int depth, const std::string& between) {
        std::string lists;
        for (int i = 0; i < depth; ++i) lists = "<array>" + between + lists + "</array>";
        return "<plist>" + lists + "</plist>";
    };
    const auto file = [](const char* name) {
        std::ifstream in(kDamaged.fileFor(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // Most circles of a board have no links of their own, each written as an empty list.
    auto sparse = sampleRecord();
    sparse.NumberOfNodes = 40;
    sparse.xNodes.resize(40, 5);
    sparse.yNodes.resize(40, 5);
    sparse.Links.resize(40);
    const std::string tooDeep = "The file nests lists more than 32 deep.";
    const std::string notDecimal = "The file holds a number that is not a whole decimal number of at most 64 bits.";
    std::string large = edited({});
    large.insert(large.find("<dict>"), std::string(saves::kMaxFileSize, ' '));
    const struct {
        const char* what;
        std::string bytes;
        std::string reason; // empty for a file that reads
    } cases[] = {
        {"40 circles, most without links", saves::encodeRecord(sparse), ""},
        {"single player, no clock", edited({{"<true/>", "<false/>"}, {"<key>Minutes", "<key>M"}, {"<key>Seconds", "<key>S"}}), ""},
        {"time trial, no minutes", edited({{"<key>Minutes", "<key>M"}}), "The entry \"Minutes\" is missing."},
                {"ended, no board", ended("99999"), ""},
        {"ended, too few nodes", ended("2"), "The node count 2 is below 3."},
        {"ended, no next level", ended("100000"), "The next level would have more than 100000 nodes."},
        {"difficulty a number", edited({{"<string>Medium</string>", "<integer>2</integer>"}}), "The entry \"Difficulty\" is not a text."},
        {"difficulty unknown", edited({{"Medium", "medium"}}), "The entry \"Difficulty\" is not Easy, Medium or Hard."},
        {"mode a number", edited({{"<true/>", "<integer>1</integer>"}}), "The entry \"TimeTrial\" is not true or false."},
        {"level a real", edited({{"<integer>12</integer>", "<real>12</real>"}}), "The entry \"Level\" is not a whole number."},
        {"level 0", edited({{"<integer>12<", "<integer>0<"}}), "The level 0 is below 1."},
        {"level past the game's", edited({{"<integer>12<", "<integer>2147483647<"}}), "The level 2147483647 is more than 1000000000."},
        {"score past the game's", edited({{"<integer>220<", "<integer>1000000001<"}}), "The score 1000000001 is more than 1000000000."},
        {"score negative", edited({{"<integer>220<", "<integer>-1<"}}), "The score -1 is below 0."},
        {"increment past", edited({{"<integer>20<", "<integer>1000000001<"}}), "The score increment 1000000001 is more than 1000000000."},
        {"node count absurd", edited({{"<integer>3<", "<integer>2000000000<"}}), "The node count 2000000000 is more than 100000."},
        {"lists too short", edited({{"<integer>3<", "<integer>4<"}}), "The board has 4 nodes but only 3 x coordinates."},
                                {"coordinate a text", edited({{"<integer>123</integer>", "<string>123</string>"}}), "Element 1 of the entry \"xNodes\" is not a whole number."},
        {"links of a node a number", edited({{"<array/>", "<integer>5</integer>"}}), "List 1 of \"Links\" is not a list."},
        {"clock past a minute", edited({{"<integer>7<", "<integer>61<"}}), "The clock reads 4:61, which no clock shows."},
        {"seconds negative", edited({{"<integer>7<", "<integer>-1<"}}), "The clock reads 4:-1, which no clock shows."},
        {"minutes negative", edited({{"<integer>4<", "<integer>-1<"}}), "The clock reads -1:7, which no clock shows."},
                        {"with a plus", minutes("+5"), ""},
        {"past int32", minutes("2147483648"), "The entry \"Minutes\" does not fit in 32 bits."},
        {"smallest int64", minutes("-9223372036854775808"), "The entry \"Minutes\" does not fit in 32 bits."},
        {"-1 as 64 signed bits", minutes("18446744073709551615"), "The entry \"Minutes\" does not fit in 32 bits."},
        // libplist alone would misread these, the first two as 1, octal 010 as 8.
        {"past -2^64", minutes("-18446744073709551615"), notDecimal},
        {"far past 64 bits", minutes("-99999999999999999999999"), notDecimal},
        {"octal", minutes("010"), notDecimal},
        {"hexadecimal", minutes("0x10"), notDecimal},
        {"blank last", minutes("5 "), notDecimal},
        {"no digits", minutes(""), notDecimal},
        {"joined by a comment", minutes("0<!-- -->10"), notDecimal},
        {"32 lists deep", nested(32, ""), "The file holds no dictionary of entries, so it is not a saved game."},
        // Closing tags inside markup the parser skips close nothing.
        {"comment", nested(33, "<!-- > </array> -->"), tooDeep},
        {"CDATA", nested(33, "<![CDATA[ > </array>]]>"), tooDeep},
        {"DOCTYPE", nested(33, "<!DOCTYPE plist [<!ENTITY x> </array>]>"), tooDeep},
        {"instruction", nested(33, "<?x > </array>?>"), tooDeep},
        {"cut short", edited({}).substr(0, 500), "The file is not a readable property list: it is damaged or cut short."},
        {"too large", large, "The file is " + std::to_string(large.size()) + " bytes long, more than any saved game (16777216)."},
        {"empty", file("empty"), "The file is empty."},
        {"binary garbage", file("binary-garbage"), "The file is a damaged binary property list."},
        {"binary 128-bit", file("binary-number-beyond-64-bits"), "The entry \"Score\" does not fit in 32 bits."},
        {"binary too deep", file("binary-nested-too-deep"), tooDeep},
        {"binary self", file("binary-list-holds-itself"), "The file is a binary property list that contains itself."},
        {"binary shared", file("binary-shared-lists"),
         "The file shares its lists so often that it would expand to more than 2396745 values."},
    };
    for (const auto& c : cases) {
        const auto read = saves::decodeRecord(c.bytes);
        EXPECT_EQ(read.problem, c.reason) << c.what;
        EXPECT_EQ(read.ok(), c.reason.empty()) << c.what;
    }
    EXPECT_EQ(kDamaged.read("folder-named-like-a-save").problem, "This saved game is a folder, not a file.");
}

// Python's plistlib reads what Lirvo wrote, and Lirvo reads it back as
// plistlib writes it, in XML and binary, keys reordered, with one more key.
TEST(RecordTest, PlistlibAndLirvoReadEachOthersFiles) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    auto record = sampleRecord();
    record.TimeTrial = false;
    record.Minutes = -5; // unused outside Time Trial
    ASSERT_EQ(folder.write("game", record), std::nullopt);
    const std::string command = std::string(LIRVO_PYTHON) + " " + LIRVO_PLISTLIB_PEER + " '" + folder.fileFor("game").string() + "'";
    FILE* peer = ::popen(command.c_str(), "r");
    ASSERT_NE(peer, nullptr);
    std::string json(4096, '\0');
    json.resize(std::fread(json.data(), 1, json.size(), peer));
    ASSERT_EQ(WEXITSTATUS(::pclose(peer)), 0) << command;
    // JSON tells true from 1 and a list from a number.
    EXPECT_EQ(json, "{\"Difficulty\": \"Medium\", \"IsGameEnded\": false, \"Level\": 12, \"Links\": [[1, 2], [], [0]], "
                    "\"Minutes\": -5, \"NumberOfNodes\": 3, \"Score\": 220, \"ScoreInc\": 20, \"Seconds\": 7, "
                    "\"TimeTrial\": false, \"xNodes\": [45, 123, 290], \"yNodes\": [60, 45, 1000]}\n");
    EXPECT_EQ(folder.read("game xml").record, record);
    EXPECT_EQ(folder.read("game bin").record, record);
}

} // namespace
} // namespace testkit

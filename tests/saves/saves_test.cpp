// The saves layer: records read back as they were written, by Lirvo and by
// Python's plistlib, and anything damaged or hostile refused with its reason;
// the folder, where it is and what it lists; saves that fail or are killed
// midway without ever leaving a half-written file; and save names.
#include "saves/atomic_file.h"
#include "saves/file_name.h"
#include "saves/personal_bests.h"
#include "saves/property_list.h"
#include "saves/save_folder.h"
#include "support/folder_rights.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"
#include "support/widest_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testkit {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A record as the game writes it mid-level in Time Trial, with `nodes` circles of which only
// the first three have links; each entry has a value of its own, so that tests find it in the XML.
saves::SavedGameRecord sampleRecord(std::int32_t nodes = 3) {
    // Points 20, "Medium", level 12, score 220, Time Trial, the circles, their lists, in play, 4:07 left.
    saves::SavedGameRecord record{
        20, "Medium", 12, 220, true, nodes, {45, 123, 290}, {60, 45, 480}, {{1, 2}, {}, {0}}, false, 4, 7};
    record.xNodes.resize(nodes, 5);
    record.yNodes.resize(nodes, 5);
    record.Links.resize(nodes);
    return record;
}

// How many entries the folder itself holds, saved games or not.
std::ptrdiff_t entriesIn(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); }

TEST(RecordTest, WhatTheGameWritesReadsBackUpToEveryLimitAndSoDoesPlistlibsCopy) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    // The largest game the reader takes, with the board's other edge.
    auto record = widestRecord();
    record.xNodes[0] = 0;
    ASSERT_EQ(folder.write({"game", record}).reason(), "");
    // Python's plistlib, which shares no code with Lirvo, reads the file and writes it back
    // in XML and in binary, keys reordered and one more added.
    const std::string peer =
        std::string(LIRVO_PYTHON) + " " + LIRVO_PLISTLIB_PEER + " '" + folder.fileFor("game").string() + "'";
    ASSERT_EQ(std::system(peer.c_str()), 0) << peer;
    for (const char* name : {"game", "game xml", "game bin"}) EXPECT_EQ(*folder.read(name), record) << name;
}

TEST(RecordTest, EveryDamagedFileIsRefusedWithItsReason) {
    const auto with = [](std::string xml, const std::string& from, const std::string& to) {
        return xml.replace(xml.find(from), from.size(), to); // throws when `from` is not there
    };
    const auto number = [&](const std::string& xml, std::string was, std::string is) {
        return with(xml, "<integer>" + was + "<", "<integer>" + is + "<");
    };
    const std::string sample = saves::encodeRecord(sampleRecord());
    // A single-player game, and an ended level with no board.
    const std::string single = with(sample, "<true/>", "<false/>");
    const std::string ended =
        with(with(with(with(sample, "<false/>", "<true/>"), "<key>xNodes", "<key>x"), "<key>yNodes", "<key>y"),
             "<key>Links", "<key>L");
    std::string lists; // 32 deep
    for (int i = 0; i < 32; ++i) lists = "<array>" + lists + "</array>";
    const saves::SaveFolder files(LIRVO_SAVE_FILES);
    const auto file = [&](const char* name) {
        return (std::ostringstream() << std::ifstream(files.fileFor(name)).rdbuf()).str();
    };
    const std::string tooDeep = "The file nests lists more than 32 deep.";
    const std::string not32 = "The entry \"Minutes\" does not fit in 32 bits.";
    const std::string not64 = "The file holds a number that is not a whole decimal number of at most 64 bits.";
    std::string pastTheEnd = file("valid/in-play-binary");
    pastTheEnd[9] = '\x7f'; // the root's first key: an object past the last of 32
    std::string countNotANumber = file("valid/in-play-binary");
    countNotANumber[8] = '\xdf'; // the root's count follows it as a number; its first key is none
    // Each file, and why it is refused; nothing when it reads.
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"40 circles, most without links", saves::encodeRecord(sampleRecord(40)), ""},
        {"single player, no clock", with(with(single, "<key>Minutes", "<key>M"), "<key>Seconds", "<key>S"), ""},
        {"time trial, no clock", with(sample, "<key>Minutes", "<key>M"), "The entry \"Minutes\" is missing."},
        {"ended, as many nodes as a board has", number(ended, "3", "4000"), ""},
        {"ended, too few nodes", number(ended, "3", "2"), "The node count 2 is below 3."},
        {"ended, a next level too large to deal", number(ended, "3", "99999"),
         "The node count 99999 is more than 4000."},
        {"a byte-order mark", "\xEF\xBB\xBF" + sample, ""},
        {"a circle off the board", number(sample, "480", "8000"),
         "Node 2 lies at (290, 8000), off the board of 320 x 480 points."},
        {"difficulty a number", with(sample, "<string>Medium</string>", "<integer>2</integer>"),
         "The entry \"Difficulty\" is not a text."},
        {"difficulty unknown", with(sample, "Medium", "medium"),
         "The entry \"Difficulty\" is not Easy, Medium or Hard."},
        {"mode a number", with(sample, "<true/>", "<integer>1</integer>"),
         "The entry \"TimeTrial\" is not true or false."},
        {"level 0", number(sample, "12", "0"), "The level 0 is below 1."},
        {"level huge", number(sample, "12", "2147483647"), "The level 2147483647 is more than 1000000000."},
        {"score negative", number(sample, "220", "-1"), "The score -1 is below 0."},
        {"increment huge", number(sample, "20", "1000000001"),
         "The score increment 1000000001 is more than 1000000000."},
        {"node count huge", number(sample, "3", "2000000000"), "The node count 2000000000 is more than 4000."},
        {"lists short", number(sample, "3", "4"), "The board has 4 nodes but only 3 x coordinates."},
        {"x a text", with(sample, "<integer>123</integer>", "<string>123</string>"),
         "Element 1 of the entry \"xNodes\" is not a whole number."},
        {"links a number", with(sample, "<array/>", "<integer>5</integer>"), "List 1 of \"Links\" is not a list."},
        {"links a dictionary", with(sample, "<key>Links</key>", "<key>Links</key><dict/><key>Unused</key>"),
         "The entry \"Links\" is not a list."},
        {"seconds 61", number(sample, "7", "61"), "The clock reads 4:61, which no clock shows."},
        {"counting up to 60 seconds", number(single, "7", "60"), "The clock reads 4:60, which no clock shows."},
        {"minutes past counting", number(single, "4", "1000001"), "The clock reads 1000001:7, which no clock shows."},
        {"seconds negative", number(sample, "7", "-1"), "The clock reads 4:-1, which no clock shows."},
        {"minutes negative", number(sample, "4", "-1"), "The clock reads -1:7, which no clock shows."},
        {"a plus", number(single, "4", "+5"), ""},
        {"past int32", number(single, "4", "2147483648"), not32},
        {"least int64", number(single, "4", "-9223372036854775808"), not32},
        // libplist alone would misread these: the first two as 1, 010 as 8.
        {"past -2^64", number(single, "4", "-18446744073709551615"), not64},
        {"far past 64 bits", number(single, "4", "-99999999999999999999999"), not64},
        {"octal", number(single, "4", "010"), not64},
        {"blank last", number(single, "4", "5 "), not64},
        {"no digits", number(single, "4", ""), not64},
        {"joined by a comment", number(single, "4", "0<!-- -->10"), not64},
        {"32 lists deep", "<plist>" + lists + "</plist>",
         "The file holds no dictionary of entries, so it is not a saved game."},
        // Closing tags inside markup the parser skips close nothing.
        {"hidden closing tags",
         "<plist>" + lists.substr(0, 32 * 7) +
             "<!-- > </array> --><![CDATA[ > </array>]]>"
             "<!DOCTYPE p [<!ENTITY x> </array>]><?x > </array>?><array>",
         tooDeep},
        {"cut short", sample.substr(0, 500), "The file is not a readable property list: it is damaged or cut short."},
        {"cut short in a declaration", sample.substr(0, sample.find("<key>")) + "<!DOCTYPE",
         "The file is not a readable property list: it is damaged or cut short."},
        {"too large", std::string(saves::kMaxFileSize + 1, ' '),
         "The file is 524289 bytes long, more than any saved game (524288)."},
        {"empty", file("damaged/empty"), "The file is empty."},
        {"binary, a Time Trial with a minute left", file("valid/in-play-binary"), ""},
        {"binary garbage", file("damaged/binary-garbage"), "The file is a damaged binary property list."},
        {"binary, a reference past the end", pastTheEnd, "The file is a damaged binary property list."},
        {"binary, a count that is not a number", countNotANumber, "The file is a damaged binary property list."},
        {"binary 128-bit", file("damaged/binary-number-beyond-64-bits"),
         "The entry \"Score\" does not fit in 32 bits."},
        {"binary too deep", file("damaged/binary-nested-too-deep"), tooDeep},
        {"binary self", file("damaged/binary-list-holds-itself"),
         "The file is a binary property list that contains itself."},
        {"binary self after a byte-order mark", "\xEF\xBB\xBF" + file("damaged/binary-list-holds-itself"),
         "The file is a binary property list that contains itself."},
        {"binary shared", file("damaged/binary-shared-lists"),
         "The file shares its lists so often that it would expand to more than 74898 values."},
    };
    for (const auto& [what, bytes, reason] : cases) {
        const auto read = saves::decodeRecord(bytes);
        EXPECT_EQ(read.reason(), reason) << what;
        EXPECT_EQ(read.ok(), reason.empty()) << what;
    }
    EXPECT_EQ(files.read("damaged/folder-named-like-a-save").reason(), "This saved game is a folder, not a file.");
}

TEST(RecordTest, TheRecordsReadBackAsWrittenAndAnythingTheGameNeverWritesIsRefused) {
    saves::PersonalBests bests;
    bests.games[{"Hard", true}] = {3, 50};
    bests.times[{core::kMaxNodes, false}] = saves::kMaxMinutes * 60 + 59;
    const std::string xml = saves::encodePersonalBests(bests);
    EXPECT_EQ(*saves::decodePersonalBests(xml), bests);
    const auto with = [&](const std::string& from, const std::string& to) {
        return std::string(xml).replace(xml.find(from), from.size(), to);
    };
    const std::pair<std::string, std::string> refused[] = {
        {with("Hard", "hard"), "Element 0 of the entry \"Games\": Its \"Difficulty\" is not Easy, Medium or Hard."},
        {with("<integer>3<", "<integer>0<"), "Element 0 of the entry \"Games\": The level 0 is below 1."},
        {with("<integer>4000<", "<integer>4001<"),
         "Element 0 of the entry \"Times\": The node count 4001 is more than 4000."},
        {with("<integer>60000059<", "<integer>-1<"), "Element 0 of the entry \"Times\": The time -1 is below 0."},
        {with("<key>Times", "<key>T"), "The entry \"Times\" is missing."},
        {with("<key>Times</key>", "<key>Times</key><array><true/></array><key>T</key>"),
         "Element 0 of the entry \"Times\" is not a dictionary."},
    };
    for (const auto& [file, why] : refused) EXPECT_EQ(saves::decodePersonalBests(file).reason(), why) << file;
}

TEST(SaveFolderTest, IsTheChosenFolderOrTheUsersDataFolderMadeAtStart) {
    TempFolder temp;
    const std::string home = temp.path(), data = temp.path() / "data";
    // The folder chosen on the command line, else the data folder's, else none: the player must name one.
    const std::tuple<std::optional<fs::path>, const char*, const char*, fs::path> cases[] = {
        {temp.path() / "a/b", nullptr, nullptr, temp.path() / "a/b"},
        {std::nullopt, data.c_str(), home.c_str(), temp.path() / "data/lirvo"},
        {std::nullopt, "relative/data", home.c_str(), temp.path() / ".local/share/lirvo"},
        {std::nullopt, nullptr, nullptr, {}}};
    for (const auto& [chosen, xdgData, homeFolder, expected] : cases) {
        ScopedEnvironment xdg("XDG_DATA_HOME", xdgData), h("HOME", homeFolder);
        auto prepared = saves::SaveFolder::prepare(chosen);
        EXPECT_EQ(prepared.folder ? prepared.folder->path() : fs::path(), expected);
        EXPECT_EQ(fs::is_directory(expected), !expected.empty()) << expected;
        EXPECT_EQ(prepared.problem.find("--saves DIR") == std::string::npos, !expected.empty()) << prepared.problem;
        // With none the game plays all the same, and each save says why it is not kept.
        std::string said = "no answer";
        prepared.store().write({"game", sampleRecord(), "", false},
                               [&said](const core::Result<std::string>& saved) { said = saved.reason(); });
        EXPECT_EQ(said, expected.empty() ? saves::NoFolder::kReason : "") << expected;
    }
    EXPECT_EQ(fs::status(temp.path() / "data/lirvo").permissions(), fs::perms::owner_all);
}

TEST(SaveFolderTest, AFailedSaveSaysWhyAndKeepsTheOldFileAndTheListShowsOnlySaves) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    const std::string game = "[Nov 14, 2023, 10:13\u202FPM], LVL 12, Medium, TT";
    ASSERT_EQ(folder.write({game, sampleRecord()}).reason(), "");
    // Files may grow to 200 bytes only, as on a disk almost full; the write fails, not the process.
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit full{200, unlimited.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_EQ(folder.write({game, sampleRecord(4)}).reason(), "writing: File too large");
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    {
        FolderRights readOnly(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(folder.write({game, sampleRecord(4)}).reason(), "creating the file: Permission denied");
        // A folder that cannot be made does not stop the game: it says why, and so does each save.
        const auto unmade = saves::SaveFolder::prepare(temp.path() / "saves");
        EXPECT_EQ(unmade.problem, "The saved-game folder " + (temp.path() / "saves").string() +
                                      " cannot be made (creating the folder: Permission denied).");
        EXPECT_EQ(unmade.folder.value().write({"game", sampleRecord()}).reason(),
                  "creating the folder: Permission denied");
    }
    fs::create_directories(temp.path() / "folder.plist");
    EXPECT_EQ(folder.write({"folder", sampleRecord(4), "folder"}).reason(),
              "putting the file in place: Is a directory");
    EXPECT_EQ(*folder.read(game), sampleRecord());
    EXPECT_EQ(entriesIn(temp.path()), 2) << "a failed save left a temporary file";

    fs::create_directories(temp.path() / "sub");
    const auto now = fs::file_time_type::clock::now();
    for (const char* other : {"sub/deeper.PLIST", "sub/another.plist", "notes.txt", ".save-abc123.tmp"}) {
        std::ofstream(temp.path() / other) << "x";
        fs::last_write_time(temp.path() / other, now);
    }
    fs::last_write_time(folder.fileFor(game), now - std::chrono::hours(1));
    ASSERT_EQ(::mkfifo((temp.path() / "pipe.plist").c_str(), 0600), 0);
    // The newest first, files of one time by name.
    EXPECT_EQ(folder.list().saveNames, (std::vector<std::string>{"sub/another", "sub/deeper", game}));
    EXPECT_EQ(folder.read("sub/deeper").reason(),
              "The file is not a readable property list: it is damaged or cut short.");
    EXPECT_EQ(folder.read("gone").reason(), "The saved game cannot be opened: No such file or directory.");
    // A pipe named like a save neither blocks the reader nor passes for a file.
    EXPECT_EQ(folder.read("pipe").reason(), "This saved game is not a regular file.");
    EXPECT_EQ(folder.read("folder").reason(), "This saved game is a folder, not a file.");
    std::ofstream(folder.fileFor("huge")) << "x";
    fs::resize_file(folder.fileFor("huge"), 100'000'000);
    EXPECT_EQ(folder.read("huge").reason(), "The file is 100000000 bytes long, more than any saved game (524288).");
}

// Saves of one name, as games saved in one minute at one level have: each
// game keeps its own, a game saved again replaces its own, and its latest
// automatic save supersedes its earlier one.
TEST(SaveFolderTest, ASaveReplacesOnlyItsOwnGamesEarlierSave) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    for (const auto& [request, kept] : std::vector<std::pair<saves::SaveRequest, std::string>>{
             {{"g", sampleRecord(3)}, "g"},
             {{"g", sampleRecord(4)}, "g (2)"},                      // another game
             {{"g", sampleRecord(5), "g (2)"}, "g (2)"},             // that game again
             {{"g", sampleRecord(6), "g (02)"}, "g (3)"},            // no name "g" numbers so
             {{"g", sampleRecord(7), "f"}, "g (4)"},                 // its own save of another minute stays
             {{"g-auto", sampleRecord(8), "g (4)", true}, "g-auto"}, // and supersedes it
         }) {
        const auto written = folder.write(request);
        EXPECT_EQ(written ? *written : written.reason(), kept);
    }
    auto names = folder.list().saveNames;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"g", "g (2)", "g (3)", "g-auto"}));
    EXPECT_EQ(folder.read("g (2)")->NumberOfNodes, 5);
    // A file another program put in place a moment ago stays.
    EXPECT_FALSE(*saves::writeFileAtomically(folder.fileFor("g"), "x", saves::Placement::KeepExisting));
    EXPECT_EQ(folder.read("g")->NumberOfNodes, 3);
    EXPECT_EQ(entriesIn(temp.path()), 4) << "a refused placement left a temporary file";
}

TEST(SaveFolderTest, KilledAtRandomMomentsASaveLeavesTheOldFileOrTheNewOne) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    for (int round = 0; round < 200; ++round) {
        const pid_t saver = ::fork();
        // The child saves without end, boards of many sizes under two names in turn.
        for (std::int32_t n = 0; saver == 0; ++n) {
            if (!folder.write({n % 2 ? "odd" : "even", sampleRecord(3 + n % 50), n % 2 ? "odd" : "even"})) ::_exit(1);
        }
        // Once both are on disk, the kills land on replacements.
        for (int wait = 0; wait < 10'000 && !fs::exists(folder.fileFor("odd")); ++wait) ::usleep(100);
        ::usleep(round * 7919 % 3000); // spread over 3 ms
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself";
    }
    EXPECT_EQ(folder.list().saveNames.size(), 2u);
    for (const char* name : {"even", "odd"})
        EXPECT_TRUE(folder.read(name).ok()) << name << ": " << folder.read(name).reason();
    // Kills that came mid-write left temporary files; the next start removes them, and only them: not
    // those of another copy of the game still running, which may be in the middle of a save.
    EXPECT_GT(entriesIn(temp.path()), 2) << "no kill came during a write; the test proved nothing";
    const pid_t running = ::fork();
    while (running == 0) ::pause();
    const auto temporaryOf = [](pid_t writer) { return ".save-" + std::to_string(writer) + "-AbC123.tmp"; };
    // Two names of no temporary file; one of the copy still running, one of this
    // process (with no save under way), and one without a process id.
    for (const std::string& other :
         {"notes.tmp"s, ".save-AbC1234.tmp"s, temporaryOf(running), temporaryOf(::getpid()), ".save-AbC123.tmp"s})
        std::ofstream(temp.path() / other) << "x";
    EXPECT_EQ(saves::SaveFolder::prepare(temp.path()).problem, "");
    EXPECT_EQ(entriesIn(temp.path()), 5);
    EXPECT_TRUE(fs::exists(temp.path() / temporaryOf(running)));
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    saves::SaveFolder::prepare(temp.path());
    EXPECT_EQ(entriesIn(temp.path()), 4);
}

TEST(SaveNameTest, SaysTheMomentLevelDifficultyModeAndWhoSaved) {
    EXPECT_EQ(saves::saveName(saves::SaveKind::OnRequest, "d", 3, "Easy", false), "[d], LVL 3, Easy, SP");
    EXPECT_EQ(saves::saveName(saves::SaveKind::AtExit, "d", 104, "Hard", true), "[d]-auto, LVL 104, Hard, TT");
    // 14 November 2023, 22:13:20 UTC, as the locale writes a medium date and a short time, in the zone asked for.
    const auto at = [](const char* locale, const char* zone) {
        return saves::dateTimeText(1'700'000'000, locale, zone);
    };
    EXPECT_EQ(at("en_US.UTF-8", "UTC").rfind("Nov 14, 2023, 10:13", 0), 0u) << at("en_US.UTF-8", "UTC");
    EXPECT_EQ(at("C.UTF-8", "Asia/Tokyo").rfind("Nov 15, 2023, 7:13", 0), 0u) << at("C.UTF-8", "Asia/Tokyo");
    EXPECT_EQ(at("ja_JP.UTF-8", "UTC"), "2023-11-14 22:13"); // written with slashes
    // Tab, DEL and the C1 control U+0085 go; the format mark U+200F and the no-break space stay.
    EXPECT_EQ(saves::fileNameSafe("a/b\tc\x7f"
                                  "d\u0085e\u200F\u202Ff"),
              "a-b-c-d-e\u200F\u202Ff");

    // The locale is the first of LC_ALL, LC_TIME and LANG set and not empty, as in the C library.
    ScopedEnvironment all("LC_ALL", ""), time("LC_TIME", "de_DE.UTF-8"), lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "de_DE.UTF-8");
    ScopedEnvironment noTime("LC_TIME", nullptr), noLang("LANG", nullptr);
    EXPECT_EQ(saves::timeLocaleFromEnvironment(), "C");
}

} // namespace
} // namespace testkit

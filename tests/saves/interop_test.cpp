// Saved games against Python's plistlib, a reader and writer that shares no
// code with Lirvo.
#include "saves/save_folder.h"
#include "saves_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace testkit {
namespace {

// Runs the peer script; answers its standard output, or fails the test.
std::string runPeer(const std::string& arguments) {
    const std::string command = std::string(LIRVO_PYTHON) + " '" + LIRVO_PLISTLIB_PEER + "' " + arguments;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string output;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << " failed";
    return output;
}

TEST(InteropTest, PlistlibReadsTheTwelveValuesLirvoWrote) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    auto record = sampleRecord();
    record.Score = -40;
    ASSERT_EQ(folder.write("game", record), std::nullopt);
    // JSON tells true from 1 and a list from a number; the keys come sorted.
    EXPECT_EQ(runPeer("dump '" + folder.fileFor("game").string() + "'"),
              "{\"Difficulty\": \"Medium\", \"IsGameEnded\": false, \"Level\": 12, \"Links\": [[1, 2], [], [0]], "
              "\"Minutes\": 1, \"NumberOfNodes\": 3, \"Score\": -40, \"ScoreInc\": 20, \"Seconds\": 7, "
              "\"TimeTrial\": true, \"xNodes\": [45, 123, 290], \"yNodes\": [60, 45, 1000]}\n");
}

TEST(InteropTest, LirvoReadsWhatPlistlibWroteInXmlAndBinaryWithKeysInAnyOrderAndExtraKeys) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    // Single Player minutes are not used, so a negative number may stand there.
    const saves::SavedGameRecord expected{.ScoreInc = 25, .Difficulty = "Hard", .Level = 12, .Score = 5,
                                          .TimeTrial = false, .NumberOfNodes = 3, .xNodes = {60, 123, 250},
                                          .yNodes = {45, 300, 120}, .Links = {{1, 2}, {}, {0}},
                                          .IsGameEnded = false, .Minutes = -5, .Seconds = 37};
    for (const char* encoding : {"xml", "bin"}) {
        const std::string name = std::string("from python ") + encoding;
        runPeer("write '" + folder.fileFor(name).string() + "' " + encoding);
        const auto read = folder.read(name);
        ASSERT_TRUE(read.ok()) << encoding << ": " << read.problem;
        EXPECT_EQ(*read.record, expected) << encoding;
    }
}

} // namespace
} // namespace testkit

// Saving survives being killed at any moment: a helper program saves without
// end and is killed with SIGKILL at random moments, over and over.
#include "saves/atomic_file.h"
#include "saves/save_folder.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testkit {
namespace {

// Starts the writer on `folder` and waits for its first save to be on disk.
pid_t startWriter(const std::filesystem::path& folder) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(ready[1], STDOUT_FILENO);
        ::execl(LIRVO_SAVE_WRITER, LIRVO_SAVE_WRITER, folder.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = pid > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return started ? pid : -1;
}

TEST(CrashSafetyTest, KilledAtRandomMomentsItLeavesEverySaveWholeAndReadable) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> microseconds(0, 3000);
    constexpr int kKills = 200;
    for (int i = 0; i < kKills; ++i) {
        const pid_t writer = startWriter(temp.path());
        ASSERT_GT(writer, 0) << "the writer did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
    }

    auto names = folder.list().saveNames;
    std::sort(names.begin(), names.end()); // in the order the last writes came
    EXPECT_EQ(names, (std::vector<std::string>{"even", "odd"}));
    for (const auto& name : names) {
        const auto read = folder.read(name);
        ASSERT_TRUE(read.ok()) << name << ": " << read.problem;
        const auto& record = *read.record;
        EXPECT_EQ(record.xNodes.front(), record.Score) << name;
        EXPECT_EQ(record.NumberOfNodes, record.Score % 50 + 3) << name;
        EXPECT_EQ(record.Score % 2, name == "odd" ? 1 : 0);
    }
    // Kills that came mid-write left their temporary files, which the list does not show.
    const auto temporaries = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path())) {
            if (entry.path().extension() == saves::kTemporaryEnding) names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_FALSE(temporaries().empty()) << "no kill came during a write; the test proved nothing";

    // The next start removes them: only them, and only in the folder itself.
    std::ofstream(temp.path() / "notes.tmp") << "not ours";
    std::filesystem::create_directory(temp.path() / "sub");
    std::ofstream(temp.path() / "sub" / ".save-AbC123.tmp") << "not in the folder itself";
    ASSERT_EQ(saves::SaveFolder::prepare(temp.path()).problem, "");
    EXPECT_EQ(temporaries(), (std::vector<std::string>{".save-AbC123.tmp", "notes.tmp"}));
}

} // namespace
} // namespace testkit

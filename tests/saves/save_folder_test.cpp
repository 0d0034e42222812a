// The saved-game folder: where it is, what it lists, and saves that fail or
// are killed midway without ever leaving a half-written file.
#include "saves/save_folder.h"
#include "saves_support.h"
#include "support/folder_rights.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testkit {
namespace {

namespace fs = std::filesystem;

// The names of the files in `folder` itself that are not saved games.
std::vector<std::string> otherFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() != ".plist") names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveFolderTest, IsTheChosenFolderOrTheUsersDataFolderMadeAtStart) {
    TempFolder temp;
    const std::string home = temp.path(), data = temp.path() / "data";
    const struct {
        const char* xdgData;
        const char* home;
        fs::path folder; // none when the player must name one
    } cases[] = {{data.c_str(), home.c_str(), temp.path() / "data/lirvo"},
                 {"relative/data", home.c_str(), temp.path() / ".local/share/lirvo"},
                 {nullptr, nullptr, {}}};
    for (const auto& c : cases) {
        ScopedEnvironment xdgData("XDG_DATA_HOME", c.xdgData), homeFolder("HOME", c.home);
        const auto prepared = saves::SaveFolder::prepare(std::nullopt);
        EXPECT_EQ(prepared.folder ? prepared.folder->path() : fs::path(), c.folder);
        EXPECT_EQ(fs::is_directory(c.folder), !c.folder.empty()) << c.folder;
        EXPECT_EQ(prepared.problem.find("--saves DIR") == std::string::npos, !c.folder.empty()) << prepared.problem;
    }
    EXPECT_EQ(fs::status(temp.path() / "data/lirvo").permissions(), fs::perms::owner_all);
    EXPECT_EQ(saves::SaveFolder::prepare(temp.path() / "a/b").folder->path(), temp.path() / "a/b");
    EXPECT_TRUE(fs::is_directory(temp.path() / "a/b"));

    // A folder that cannot be made does not stop the game: it says why, and so does each save.
    FolderRights readOnly(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto prepared = saves::SaveFolder::prepare(temp.path() / "saves");
    ASSERT_TRUE(prepared.folder);
    EXPECT_EQ(prepared.problem, "The saved-game folder " + (temp.path() / "saves").string()
                                    + " cannot be made (creating the folder: Permission denied).");
    EXPECT_EQ(prepared.folder->write("game", sampleRecord()), "creating the folder: Permission denied");
}

TEST(SaveFolderTest, SavesReplaceTheirFileWholeOrFailSayingWhyAndTheListShowsOnlySaves) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    const std::string game = "[Nov 14, 2023, 10:13\u202FPM], LVL 12, Medium, TT";
    auto longer = sampleRecord();
    longer.NumberOfNodes = 30;
    longer.xNodes.assign(30, 1);
    longer.yNodes.assign(30, 2);
    longer.Links.assign(30, {});
    ASSERT_EQ(folder.write(game, longer), std::nullopt);
    const auto old = sampleRecord(); // shorter: no tail of the first may remain
    ASSERT_EQ(folder.write(game, old), std::nullopt);
    auto next = old;
    next.Level = 13;
    {
        // Files may grow to 200 bytes only, as on a disk that is almost full; the write fails, not the process.
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit full{200, unlimited.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
        EXPECT_EQ(folder.write(game, next), "writing: File too large");
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, handler);
    }
    {
        FolderRights readOnly(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(folder.write(game, next), "creating the file: Permission denied");
    }
    fs::create_directories(temp.path() / "folder.plist");
    EXPECT_EQ(folder.write("folder", next), "putting the file in place: Is a directory");
    EXPECT_EQ(folder.read(game).record, old);
    EXPECT_TRUE(otherFiles(temp.path()).empty());

    fs::create_directories(temp.path() / "sub");
    for (const char* other : {"sub/deeper.PLIST", "sub/another.plist", "notes.txt", ".save-abc123.tmp"}) {
        std::ofstream(temp.path() / other) << "x";
    }
    ASSERT_EQ(::mkfifo((temp.path() / "pipe.plist").c_str(), 0600), 0);
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(folder.fileFor(game), now - std::chrono::hours(1));
    fs::last_write_time(temp.path() / "sub/deeper.PLIST", now);
    fs::last_write_time(temp.path() / "sub/another.plist", now);
    // The newest first, files of one time by name.
    EXPECT_EQ(folder.list().saveNames, (std::vector<std::string>{"sub/another", "sub/deeper", game}));
    EXPECT_EQ(folder.read("sub/deeper").problem, "The file is not a readable property list: it is damaged or cut short.");
    EXPECT_EQ(folder.read("gone").problem, "The saved game cannot be opened: No such file or directory.");
    // A pipe named like a save neither blocks the reader nor passes for a file.
    EXPECT_EQ(folder.read("pipe").problem, "This saved game is not a regular file.");
    EXPECT_EQ(folder.read("folder").problem, "This saved game is a folder, not a file.");
}

TEST(SaveFolderTest, KilledAtRandomMomentsASaveLeavesTheOldFileOrTheNewOne) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    std::mt19937 random(20261206);
    for (int kill = 0; kill < 200; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t saver = ::fork();
        // The child saves without end, boards of many sizes under two names in
        // turn, so that kills land on new files and on replacements.
        for (std::int32_t n = 0; saver == 0; ++n) {
            auto record = sampleRecord();
            record.Score = n;
            record.NumberOfNodes = 3 + n % 50;
            record.xNodes.resize(record.NumberOfNodes, 5);
            record.yNodes.resize(record.NumberOfNodes, 5);
            record.Links.resize(record.NumberOfNodes);
            if (folder.write(n % 2 ? "odd" : "even", record) || (n == 0 && ::write(ready[1], "!", 1) != 1)) ::_exit(1);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the first save failed";
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself";
    }
    EXPECT_EQ(folder.list().saveNames.size(), 2u);
    for (const char* name : {"even", "odd"}) {
        const auto read = folder.read(name);
        ASSERT_TRUE(read.ok()) << name << ": " << read.problem;
        EXPECT_EQ(read.record->Score % 2, name[0] == 'o' ? 1 : 0);
    }
    // Kills that came mid-write left temporary files; the next start removes
    // them, and only them, from the folder itself.
    EXPECT_FALSE(otherFiles(temp.path()).empty()) << "no kill came during a write; the test proved nothing";
    std::ofstream(temp.path() / "notes.tmp") << "not ours";
    std::ofstream(temp.path() / ".save-AbC12.tmp") << "not ours";
    fs::create_directory(temp.path() / "sub");
    std::ofstream(temp.path() / "sub/.save-AbC123.tmp") << "not in the folder itself";
    ASSERT_EQ(saves::SaveFolder::prepare(temp.path()).problem, "");
    EXPECT_EQ(otherFiles(temp.path()), (std::vector<std::string>{".save-AbC12.tmp", "notes.tmp"}));
    EXPECT_TRUE(fs::exists(temp.path() / "sub/.save-AbC123.tmp"));
}

} // namespace
} // namespace testkit

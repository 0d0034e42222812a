#include "saves/atomic_file.h"
#include "saves/save_folder.h"
#include "saves_support.h"
#include "support/folder_rights.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace testkit {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

// Files in the folder that are not saved games: temporaries left behind, and the like.
std::vector<std::string> otherFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".plist") names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(SaveFolderTest, PreparesTheChosenFolderOrTheUsersDataFolderCreatingIt) {
    TempFolder temp;
    const fs::path chosen = temp.path() / "a" / "b";
    auto prepared = saves::SaveFolder::prepare(chosen);
    ASSERT_TRUE(prepared.folder) << prepared.problem;
    EXPECT_EQ(prepared.folder->path(), chosen);
    EXPECT_TRUE(fs::is_directory(chosen));

    {
        ScopedEnvironment data("XDG_DATA_HOME", (temp.path() / "data").c_str());
        prepared = saves::SaveFolder::prepare(std::nullopt);
        ASSERT_TRUE(prepared.folder) << prepared.problem;
        EXPECT_EQ(prepared.folder->path(), temp.path() / "data" / "lirvo");
        EXPECT_TRUE(fs::is_directory(temp.path() / "data" / "lirvo"));
        EXPECT_EQ(fs::status(temp.path() / "data" / "lirvo").permissions(), fs::perms::owner_all);
    }
    ScopedEnvironment home("HOME", temp.path().c_str());
    for (const char* data : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedEnvironment unset("XDG_DATA_HOME", data);
        prepared = saves::SaveFolder::prepare(std::nullopt);
        ASSERT_TRUE(prepared.folder) << prepared.problem;
        EXPECT_EQ(prepared.folder->path(), temp.path() / ".local" / "share" / "lirvo");
    }
    ScopedEnvironment noHome("HOME", nullptr);
    EXPECT_NE(saves::SaveFolder::prepare(std::nullopt).problem.find("--saves DIR"), std::string::npos);

    // A folder that cannot be made does not stop the game: it says why, and so does each save.
    FolderRights readOnly(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
    prepared = saves::SaveFolder::prepare(temp.path() / "saves");
    ASSERT_TRUE(prepared.folder);
    EXPECT_EQ(prepared.problem, "The saved-game folder " + (temp.path() / "saves").string()
                                    + " cannot be made (creating the folder: Permission denied).");
    EXPECT_EQ(prepared.folder->write("game", sampleRecord()), "creating the folder: Permission denied");
}

TEST(SaveFolderTest, ListsPlistFilesInAnyCaseAndInSubfoldersAndReadsThemBack) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    EXPECT_TRUE(folder.list().saveNames.empty());
    EXPECT_TRUE(folder.list().problem.empty());

    const auto record = sampleRecord();
    ASSERT_EQ(folder.write("[Nov 14, 2023, 10:13\u202FPM], LVL 12, Medium, TT", record), std::nullopt);
    touch(temp.path() / "sub" / "deeper.PLIST");
    touch(temp.path() / "notes.txt");
    touch(temp.path() / (".save-abc123" + std::string(saves::kTemporaryEnding)));
    touch(temp.path() / "sub" / "another.plist");
    fs::create_directories(temp.path() / "folder.plist");
    // The newest first, then by name.
    const auto written = fs::file_time_type::clock::now();
    fs::last_write_time(temp.path() / "[Nov 14, 2023, 10:13\u202FPM], LVL 12, Medium, TT.plist", written - std::chrono::hours(1));
    fs::last_write_time(temp.path() / "sub" / "deeper.PLIST", written);
    fs::last_write_time(temp.path() / "sub" / "another.plist", written);
    EXPECT_EQ(folder.list().saveNames, (std::vector<std::string>{"sub/another", "sub/deeper",
                                                                 "[Nov 14, 2023, 10:13\u202FPM], LVL 12, Medium, TT"}));
    EXPECT_EQ(folder.read("[Nov 14, 2023, 10:13\u202FPM], LVL 12, Medium, TT").record, record);
    EXPECT_EQ(folder.read("sub/deeper").problem, "The file is not a readable property list: it is damaged or cut short.");
    EXPECT_EQ(folder.read("gone").problem, "The saved game cannot be opened: No such file or directory.");
    // A pipe named like a save neither blocks the reader nor passes for a file.
    ASSERT_EQ(::mkfifo((temp.path() / "pipe.plist").c_str(), 0600), 0);
    EXPECT_EQ(folder.read("pipe").problem, "This saved game is not a regular file.");
}

TEST(SaveFolderTest, ASaveOfTheSameNameReplacesTheFileWhole) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    auto first = sampleRecord();
    first.NumberOfNodes = 30;
    first.xNodes.assign(30, 1);
    first.yNodes.assign(30, 2);
    first.Links.assign(30, {});
    ASSERT_EQ(folder.write("same", first), std::nullopt);
    const auto second = sampleRecord(); // shorter: no tail of the first may remain
    ASSERT_EQ(folder.write("same", second), std::nullopt);
    EXPECT_EQ(folder.list().saveNames, std::vector<std::string>{"same"});
    EXPECT_EQ(folder.read("same").record, second);
    EXPECT_TRUE(otherFiles(temp.path()).empty());
}

// Files may grow to `bytes` only, as on a disk that is almost full.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of killing the process
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    void (*previousHandler_)(int);
};

TEST(SaveFolderTest, AFailedWriteSaysWhyAndLeavesTheOldFileAndNoTemporary) {
    TempFolder temp;
    const saves::SaveFolder folder(temp.path());
    const auto old = sampleRecord();
    ASSERT_EQ(folder.write("game", old), std::nullopt);
    auto bigger = old;
    bigger.Level = 13;
    {
        FileSizeLimit full(200);
        EXPECT_EQ(folder.write("game", bigger), "writing: File too large");
    }
    {
        FolderRights readOnly(temp.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(folder.write("game", bigger), "creating the file: Permission denied");
    }
    fs::create_directories(temp.path() / "folder.plist");
    EXPECT_EQ(folder.write("folder", bigger), "putting the file in place: Is a directory");
    EXPECT_EQ(folder.read("game").record, old);
    EXPECT_TRUE(otherFiles(temp.path()).empty());
}

TEST(SaveFolderTest, OnceTheFileIsInPlaceAFolderThatCannotBeFlushedFailsNoSave) {
    TempFolder temp;
    // Here the folder cannot even be opened to be flushed.
    const saves::SaveFolder folder(temp.path());
    {
        FolderRights writeOnly(temp.path(), fs::perms::owner_write | fs::perms::owner_exec);
        EXPECT_EQ(folder.write("game", sampleRecord()), std::nullopt);
    }
    EXPECT_EQ(folder.read("game").record, sampleRecord());
}

} // namespace
} // namespace testkit

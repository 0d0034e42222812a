#include "saves/save_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

namespace testkit {
namespace {

const std::filesystem::path kFiles = LIRVO_SAVE_FILES;

// Each file of files/damaged, by save name, and what the refusal must say.
const std::map<std::string, std::string> kDamaged = {
    {"missing-entry", "The entry \"Level\" is missing."},
    {"mistyped-entry", "The entry \"Score\" is not a whole number."},
    {"lists-shorter-than-node-count", "The board has 5 nodes but only 4 x coordinates."},
    {"link-out-of-range", "Node 1 links to node 4, which does not exist on a board of 4 nodes."},
    {"link-negative", "Node 1 links to node -1, which does not exist on a board of 4 nodes."},
    {"absurd-node-count", "The node count 2000000000 is more than 100000."},
    {"number-beyond-32-bits", "The entry \"Level\" does not fit in 32 bits."},
    {"number-beyond-64-bits", "not a whole decimal number of at most 64 bits"},
    {"binary-number-beyond-64-bits", "The entry \"Score\" does not fit in 32 bits."},
    {"number-not-decimal", "not a whole decimal number of at most 64 bits"},
    {"difficulty-unknown", "The entry \"Difficulty\" is not Easy, Medium or Hard."},
    {"root-not-dictionary", "The file holds no dictionary of entries"},
    {"truncated", "The file is not a readable property list"},
    {"binary-garbage", "The file is a damaged binary property list."},
    {"empty", "The file is empty."},
    {"folder-named-like-a-save", "This saved game is a folder, not a file."},
    {"binary-shared-lists", "would expand to more than 2396745 values"},
    {"binary-nested-too-deep", "The file nests lists more than 32 deep."},
    {"binary-list-holds-itself", "The file is a binary property list that contains itself."},
};

TEST(DamagedFilesTest, EveryDamagedFileIsRefusedWithItsReason) {
    const saves::SaveFolder damaged(kFiles / "damaged");
    std::size_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(damaged.path())) {
        const std::string name = entry.path().stem().string();
        const auto expected = kDamaged.find(name);
        ASSERT_NE(expected, kDamaged.end()) << "no expected reason for " << name;
        const auto result = damaged.read(name);
        EXPECT_FALSE(result.ok()) << name;
        EXPECT_NE(result.problem.find(expected->second), std::string::npos) << name << ": " << result.problem;
        ++seen;
    }
    EXPECT_EQ(seen, kDamaged.size());
    // The list offers none of them but the files themselves, never the folder.
    EXPECT_EQ(damaged.list().saveNames.size(), kDamaged.size() - 1);
}

TEST(DamagedFilesTest, TheValidFilesBesideThemRead) {
    const saves::SaveFolder valid(kFiles / "valid");
    auto names = valid.list().saveNames;
    std::sort(names.begin(), names.end()); // listed by the times the checkout gave the files
    EXPECT_EQ(names, (std::vector<std::string>{"ended-without-board", "in-play", "in-play-binary"}));
    for (const auto& name : names) EXPECT_TRUE(valid.read(name).ok()) << name << ": " << valid.read(name).problem;

    const auto binary = valid.read("in-play-binary");
    ASSERT_TRUE(binary.ok());
    EXPECT_EQ(binary.record->Difficulty, "Hard");
    EXPECT_EQ(binary.record->Seconds, 60);
    EXPECT_EQ(binary.record->Links, (std::vector<std::vector<std::int32_t>>{{1}, {}, {3, 0}, {}}));
}

} // namespace
} // namespace testkit

#include "app/resource_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

void makePictures(const fs::path& folder) {
    fs::create_directories(folder);
    std::ofstream(folder / "touchCircle.png") << "png";
}

TEST(ResourceFolder, IsBesideTheProgramOrInTheInstalledDataFolder) {
    const fs::path root = fs::path(::testing::TempDir()) / "lirvo-resources";
    fs::remove_all(root);

    const fs::path build = root / "build";
    fs::create_directories(build);
    EXPECT_FALSE(app::findResourceFolder(build));
    makePictures(build / "resources");
    EXPECT_EQ(app::findResourceFolder(build), build / "resources");

    const fs::path bin = root / "prefix" / "bin";
    fs::create_directories(bin);
    const fs::path installed = (bin / LIRVO_DATA_FROM_BIN / "resources").lexically_normal();
    makePictures(installed);
    EXPECT_EQ(app::findResourceFolder(bin), installed);
    EXPECT_EQ(installed, root / "prefix" / "share" / "lirvo" / "resources"); // with the usual folders

    fs::remove_all(root);
}

} // namespace

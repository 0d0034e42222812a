#include "platform/image.h"

#include "support/printers.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using ui::Image;

// Writes a blank picture of the given size; `jpeg` picks the format.
void writePicture(const fs::path& path, int width, int height, bool jpeg) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    const int status = jpeg ? IMG_SaveJPG(surface, path.c_str(), 90) : IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    ASSERT_EQ(status, 0) << IMG_GetError();
}

TEST(Images, SizesComeFromTheFilesAndStayCachedByName) {
    const fs::path folder = fs::temp_directory_path() / ("lirvo-images-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path previous = Image::resourceFolder();
    writePicture(folder / "touchCircle.png", 30, 28, false);
    writePicture(folder / "bgInGame.jpg", 64, 96, true);
    Image::setResourceFolder(folder);

    auto circle = Image::named("touchCircle.png");
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->size(), ui::Size(30, 28));
    EXPECT_EQ(circle->name(), "touchCircle.png");
    EXPECT_EQ(circle->path(), folder / "touchCircle.png");
    auto background = Image::named("bgInGame.jpg");
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->size(), ui::Size(64, 96));

    EXPECT_EQ(Image::named("touchCircle.png"), circle);
    fs::remove(folder / "touchCircle.png"); // loaded once: the file is not read again
    EXPECT_EQ(Image::named("touchCircle.png"), circle);
    EXPECT_EQ(Image::named("missing.png"), nullptr);

    // Another folder has other images.
    Image::setResourceFolder(folder / "elsewhere");
    EXPECT_EQ(Image::named("bgInGame.jpg"), nullptr);
    Image::setResourceFolder(previous);
    fs::remove_all(folder);
}

} // namespace

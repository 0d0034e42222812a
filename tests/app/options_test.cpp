#include "app/options.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using app::Options;

std::optional<Options> parse(std::initializer_list<const char*> args, std::string& error) {
    std::vector<const char*> argv{"lirvo"};
    argv.insert(argv.end(), args);
    return app::parseOptions(static_cast<int>(argv.size()), argv.data(), error);
}

TEST(Options, ReadsTheWindowAndSnapshotOptions) {
    std::string error;
    const auto none = parse({}, error);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->help);
    EXPECT_EQ(none->scale, 0);
    EXPECT_FALSE(none->fullscreen);
    EXPECT_FALSE(none->snapshot);

    const auto window = parse({"--scale", "3", "--fullscreen"}, error);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->scale, 3);
    EXPECT_TRUE(window->fullscreen);

    const auto snapshot = parse({"--snapshot", "out.png", "--play", "wait 9; tap 160 240", "--scale", "2"}, error);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->snapshot, std::filesystem::path("out.png"));
    EXPECT_EQ(snapshot->play, "wait 9; tap 160 240");
    EXPECT_EQ(snapshot->scale, 2);

    EXPECT_TRUE(parse({"--help"}, error)->help);
    EXPECT_TRUE(parse({"-h"}, error)->help);
}

TEST(Options, RefusesWhatItCannotDoAndSaysWhy) {
    const struct {
        std::initializer_list<const char*> args;
        const char* says;
    } cases[] = {
        {{"--scale"}, "--scale needs a value"},
        {{"--scale", "0"}, "--scale takes a whole number from 1 to 16"},
        {{"--scale", "2.5"}, "--scale takes a whole number from 1 to 16"},
        {{"--scale", "x"}, "--scale takes a whole number from 1 to 16"},
        {{"--scale", "17"}, "--scale takes a whole number from 1 to 16"},
        {{"--windowed"}, "unknown option --windowed"},
        {{"--play", "wait 1"}, "--play needs --snapshot"},
        {{"--snapshot", "a.png", "--fullscreen"}, "--fullscreen and --snapshot do not go together"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.args, error)) << c.says;
        EXPECT_EQ(error.rfind(c.says, 0), 0u) << error;
    }
}

} // namespace

#include "platform/sdl/landscape.h"

#include <gtest/gtest.h>

namespace {

// The portrait screen turned a quarter clockwise, its left edge on top,
// filling the output between margins of whole pixels.
TEST(Landscape, TurnsThePortraitScreenAQuarterClockwiseBetweenWholePixelMargins) {
    const struct {
        ui::Size output;
        float scale;
        ui::Point corner; // where the portrait's bottom left lands
    } cases[] = {
        {{960, 640}, 2, {0, 0}},
        {{1920, 1080}, 3.375f, {150, 0}},     // 16:9: margins left and right
        {{1024, 768}, 1024.f / 480, {0, 42}}, // 4:3: above and below, 42.67 cut to whole pixels
    };
    for (const auto& c : cases) {
        const ui::sdl::Landscape l({320, 480}, c.output);
        EXPECT_FLOAT_EQ(l.scale(), c.scale);
        const auto expectAt = [&](ui::Point portrait, float x, float y) {
            const ui::Point at = l.toPixels(portrait);
            EXPECT_NEAR(at.x, c.corner.x + x * c.scale, 1e-3) << c.output.width << ": " << portrait.x << ", " << portrait.y;
            EXPECT_NEAR(at.y, c.corner.y + y * c.scale, 1e-3) << c.output.width << ": " << portrait.x << ", " << portrait.y;
            const ui::Point back = l.toPortrait(at);
            EXPECT_NEAR(back.x, portrait.x, 1e-3);
            EXPECT_NEAR(back.y, portrait.y, 1e-3);
        };
        expectAt({0, 480}, 0, 0);
        expectAt({0, 0}, 480, 0);
        expectAt({320, 0}, 480, 320);
        expectAt({100, 30}, 450, 100);
    }
}

} // namespace

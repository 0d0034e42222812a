#include "platform/sdl/landscape.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

using ui::Point;
using ui::sdl::Landscape;

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3) << "x of (" << expected.x << ", " << expected.y << ")";
    EXPECT_NEAR(actual.y, expected.y, 1e-3) << "y of (" << expected.x << ", " << expected.y << ")";
}

TEST(Landscape, TurnsThePortraitScreenAQuarterClockwise) {
    for (const float s : {1.f, 2.f, 3.f}) {
        const Landscape l({320, 480}, {480 * s, 320 * s});
        EXPECT_EQ(l.scale(), s);
        // (x, y) lands at ((480 - y) s, x s): the portrait's left edge is the top.
        expectNear(l.toPixels({0, 0}), {480 * s, 0});
        expectNear(l.toPixels({320, 0}), {480 * s, 320 * s});
        expectNear(l.toPixels({0, 480}), {0, 0});
        expectNear(l.toPixels({100, 30}), {450 * s, 100 * s});
        for (const Point p : {Point{0, 0}, Point{17.5f, 400}, Point{319, 1}}) expectNear(l.toPortrait(l.toPixels(p)), p);
    }
}

TEST(Landscape, FillsAnOutputOfAnotherShapeBetweenMargins) {
    // 16:9: the height decides, the margins are left and right.
    const Landscape wide({320, 480}, {1920, 1080});
    EXPECT_FLOAT_EQ(wide.scale(), 1080.f / 320);
    const float width = 480 * wide.scale();
    expectNear(wide.toPixels({0, 480}), {std::floor((1920 - width) / 2), 0});
    expectNear(wide.toPixels({320, 0}), {std::floor((1920 - width) / 2) + width, 1080});
    expectNear(wide.toPortrait({960, 540}), {160, 240}); // margins of whole pixels
    // 4:3: the width decides, the margins are above and below.
    const Landscape tall({320, 480}, {1024, 768});
    EXPECT_FLOAT_EQ(tall.scale(), 1024.f / 480);
    expectNear(tall.toPixels({0, 480}), {0, std::floor((768 - 320 * tall.scale()) / 2)});
    // Margins are whole pixels: the middle is off by less than one.
    EXPECT_NEAR(tall.toPortrait({512, 384}).x, 160, 1 / tall.scale());
    expectNear(tall.toPortrait(tall.toPixels({160, 240})), {160, 240});
}

} // namespace

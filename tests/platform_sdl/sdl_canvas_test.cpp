#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/sdl/font_library.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/snapshot.h"
#include "support/harness.h"
#include "support/pixels.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

namespace {

using testkit::colourDistance;
using testkit::pixelAt;

// Pictures lie on their side in landscape, or upright in a turned view; either
// way each pixel of the file for the scale, over white, is one pixel of the
// screen: as sharp as it was drawn.
TEST(SdlCanvas, PicturesAreCopiedPixelForPixelFromTheFileForTheScale) {
    testkit::Harness h;
    h.window().setBackgroundColor(ui::Color::white());
    const auto picture = ui::Image::named("presents.png"); // lettering, which reads one way only
    const auto upright = std::make_shared<ui::ImageView>(picture), turned = std::make_shared<ui::ImageView>(picture);
    upright->setCenter({60, 150});
    turned->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    turned->setCenter({200, 300});
    h.show(upright);
    h.show(turned);
    for (const int scale : {2, 3}) {
        const ui::sdl::SurfacePtr file(SDL_ConvertSurfaceFormat(IMG_Load(picture->file(scale).c_str()), SDL_PIXELFORMAT_ABGR8888, 0));
        const ui::sdl::SurfacePtr s = ui::sdl::renderLandscape(h.window(), {320, 480}, static_cast<float>(scale));
        const ui::sdl::Landscape output({320, 480}, {480.f * scale, 320.f * scale});
        for (const ui::ImageView* view : {upright.get(), turned.get()}) {
            int worst = 0;
            for (int v = 0; v < file->h; ++v) {
                for (int u = 0; u < file->w; ++u) {
                    const Uint8* rgba = static_cast<Uint8*>(file->pixels) + v * file->pitch + u * 4;
                    const auto overWhite = [&](int c) { return (rgba[c] * rgba[3] + 255 * (255 - rgba[3]) + 127) / 255; };
                    const ui::Point p = output.toPixels(view->convertToWindow({(u + 0.5f) / scale, (v + 0.5f) / scale}));
                    const testkit::Rgb drawn = pixelAt(*s, static_cast<int>(p.x), static_cast<int>(p.y));
                    worst = std::max(worst, colourDistance(drawn, {overWhite(0), overWhite(1), overWhite(2)}));
                }
            }
            EXPECT_LE(worst, 2) << "scale " << scale << (view == turned.get() ? ", turned" : "");
        }
    }
}

// A turned label, as the game's are, too long for its width: it reads left
// to right in landscape, upright, cut after the last whole letter that fits
// beside an ellipsis.
TEST(SdlCanvas, ATurnedLabelReadsUprightAndEndsInAnEllipsisInside) {
    testkit::Harness h;
    h.window().setBackgroundColor(ui::Color::white());
    const auto label = std::make_shared<ui::Label>();
    label->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    label->setFrame({10, 180, 40, 120}); // landscape x 180 to 300, y 10 to 50
    label->setText("TTTTTTTTTTTTTTTTTTTTTTTT");
    label->setFont({"Helvetica-Bold", 30});
    label->setTruncatesTail(true);
    h.show(label);
    const ui::sdl::SurfacePtr s = ui::sdl::renderLandscape(h.window(), {320, 480}, 2);
    // The box of the dark pixels from column `fromX` on, and the row holding most of them.
    const auto inkFrom = [&](int fromX) {
        struct {
            int minX = 9999, maxX = -1, minY = 9999, maxY = -1, inkiestRow = -1, inkiest = 0;
        } ink;
        for (int y = 0; y < s->h; ++y) {
            int row = 0;
            for (int x = fromX; x < s->w; ++x) {
                if (colourDistance(pixelAt(*s, x, y), {0, 0, 0}) > 100) continue;
                ++row;
                ink.minX = std::min(ink.minX, x), ink.maxX = std::max(ink.maxX, x);
                ink.minY = std::min(ink.minY, y), ink.maxY = std::max(ink.maxY, y);
            }
            if (row > ink.inkiest) ink.inkiest = row, ink.inkiestRow = y;
        }
        return ink;
    };
    const auto ink = inkFrom(0), end = inkFrom(ink.maxX - 2 * 6);
    EXPECT_NEAR(ink.minX, 2 * 180, 2 * 4);
    EXPECT_GT(ink.maxX, 2 * 270);
    EXPECT_LE(ink.maxX, 2 * 300);
    EXPECT_GE(ink.minY, 2 * 10);
    EXPECT_LE(ink.maxY, 2 * 50);
    EXPECT_LT(ink.inkiestRow, (ink.minY + ink.maxY) / 2); // the bars of the Ts on top
    // The last few points hold only the ellipsis' dots, low on the line.
    EXPECT_LT(end.maxY - end.minY, (ink.maxY - ink.minY) / 3);
    EXPECT_GT(end.minY, (ink.minY + ink.maxY) / 2);
    // The faces the screens name are drawn with fonts of their own.
    ui::sdl::FontLibrary fonts;
    for (const auto& [name, face] : {std::pair{"Helvetica", "Liberation Sans Regular"}, {"Helvetica-Bold", "Liberation Sans Bold"},
                                     {"Trebuchet MS", "Roboto Condensed Regular"}}) {
        TTF_Font* font = fonts.font(name, 14);
        ASSERT_TRUE(font) << name;
        EXPECT_EQ(std::string(TTF_FontFaceFamilyName(font)) + ' ' + TTF_FontFaceStyleName(font), face);
    }
}

} // namespace

#include "platform/geometry.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/sdl/sdl_canvas.h"
#include "platform/sdl/snapshot.h"
#include "platform/view.h"
#include "support/harness.h"
#include "support/pixels.h"
#include "support/scoped_environment.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using testkit::colourDistance;
using testkit::pixelAt;
using testkit::Rgb;
using ui::Point;
using ui::sdl::Landscape;
using ui::sdl::SurfacePtr;

constexpr Rgb kWhite{255, 255, 255};

// Every pixel of the picture's file for the scale, over white, is one pixel
// of the screen, whichever way its view turns: as sharp as it was drawn.
TEST(SdlCanvas, PicturesAreCopiedPixelForPixelFromTheFileForTheScale) {
    testkit::Harness h;
    h.window().setBackgroundColor(ui::Color::white());
    const auto picture = ui::Image::named("presents.png"); // lettering, which reads one way only
    ASSERT_TRUE(picture);
    const auto upright = std::make_shared<ui::ImageView>(picture), turned = std::make_shared<ui::ImageView>(picture);
    upright->setCenter({60, 150});
    turned->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    turned->setCenter({200, 300});
    h.show(upright);
    h.show(turned);
    for (const int scale : {2, 3}) {
        const SurfacePtr file(SDL_ConvertSurfaceFormat(IMG_Load(picture->file(scale).c_str()), SDL_PIXELFORMAT_ABGR8888, 0));
        ASSERT_TRUE(file);
        const SurfacePtr s = ui::sdl::renderLandscape(h.window(), {320, 480}, static_cast<float>(scale));
        const Landscape output({320, 480}, {480.f * scale, 320.f * scale});
        for (const ui::ImageView* view : {upright.get(), turned.get()}) {
            int worst = 0;
            for (int v = 0; v < file->h; ++v) {
                for (int u = 0; u < file->w; ++u) {
                    const Uint8* rgba = static_cast<Uint8*>(file->pixels) + v * file->pitch + u * 4;
                    const auto overWhite = [&](int c) { return (rgba[c] * rgba[3] + 255 * (255 - rgba[3]) + 127) / 255; };
                    const Point p = output.toPixels(view->convertToWindow({(u + 0.5f) / scale, (v + 0.5f) / scale}));
                    const Rgb drawn = pixelAt(*s, static_cast<int>(p.x), static_cast<int>(p.y));
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
    label->setTextColor(ui::Color::black());
    label->setTruncatesTail(true);
    h.show(label);
    const SurfacePtr s = ui::sdl::renderLandscape(h.window(), {320, 480}, 2);
    // The box of the dark pixels from column `fromX` on, and the row holding most of them.
    struct Ink {
        int minX = 9999, maxX = -1, minY = 9999, maxY = -1, inkiestRow = -1, inkiest = 0;
    };
    const auto inkOf = [&](int fromX) {
        Ink ink;
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
    const Ink ink = inkOf(0);
    EXPECT_NEAR(ink.minX, 2 * 180, 2 * 4);
    EXPECT_LE(ink.maxX, 2 * 300);
    EXPECT_GT(ink.maxX, 2 * 270);
    EXPECT_GE(ink.minY, 2 * 10);
    EXPECT_LE(ink.maxY, 2 * 50);
    EXPECT_LT(ink.inkiestRow, (ink.minY + ink.maxY) / 2); // the bars of the Ts on top
    // The last few points hold only the ellipsis' dots, low on the line.
    const Ink end = inkOf(ink.maxX - 2 * 6);
    EXPECT_LT(end.maxY - end.minY, (ink.maxY - ink.minY) / 3);
    EXPECT_GT(end.minY, (ink.minY + ink.maxY) / 2);
}

// Draws one grey line, 2 points wide, as the board does.
class Line : public ui::View {
public:
    Line(Point from, Point to) : View(ui::Rect{0, 0, 320, 480}), from_(from), to_(to) {}
    void drawRect(ui::Canvas& c, ui::Rect) override {
        c.setRGBStrokeColor({0.58f, 0.58f, 0.58f, 1});
        c.setLineWidth(2);
        c.moveToPoint(from_);
        c.addLineToPoint(to_);
        c.strokePath();
    }

private:
    Point from_, to_;
};

// Lines, a veil, a clipped view and one past the screen's edge on an output
// wider than the screen: drawn by SDL's software renderer as they should be,
// and by a graphics card's renderer as by the software one.
TEST(SdlCanvas, LinesFillsAndClipsAreDrawnAlikeByEveryRenderer) {
    testkit::Harness h;
    h.window().setBackgroundColor(ui::Color::white());
    h.show(std::make_shared<Line>(Point{50, 100}, Point{250, 100}));
    const auto diagonal = std::make_shared<Line>(Point{40, 200}, Point{240, 400});
    diagonal->setAlpha(0.5f);
    h.show(diagonal);
    const auto veil = std::make_shared<ui::View>(ui::Rect{0, 0, 40, 40});
    veil->setBackgroundColor({0, 0, 0, 0.5f});
    h.show(veil);
    const auto window = std::make_shared<ui::View>(ui::Rect{150, 150, 50, 50});
    window->setClipsToBounds(true);
    const auto inside = std::make_shared<ui::View>(ui::Rect{-50, -50, 150, 150});
    inside->setBackgroundColor({1, 0, 0, 1});
    window->addSubview(inside);
    h.show(window);
    const auto beyond = std::make_shared<ui::View>(ui::Rect{0, 400, 320, 120});
    beyond->setBackgroundColor({0, 0, 1, 1});
    h.show(beyond);

    // One pixel a point; 60.5 pixels of margin either side, cut to whole pixels.
    const Landscape wide({320, 480}, {601, 320});
    ui::sdl::FontLibrary fonts;
    const SurfacePtr soft(SDL_CreateRGBSurfaceWithFormat(0, 601, 320, 32, SDL_PIXELFORMAT_ARGB8888));
    {
        const ui::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(soft.get()));
        ui::sdl::SdlCanvas(renderer.get(), fonts, soft.get()).paint(h.window(), wide);
        SDL_RenderFlush(renderer.get());
    }
    const auto at = [&](SDL_Surface& s, Point portrait) {
        const Point p = wide.toPixels(portrait);
        return pixelAt(s, static_cast<int>(p.x), static_cast<int>(p.y));
    };
    // Portrait y = 100 is landscape x = 60 + 380: the line's 2 pixels are 439 and 440.
    for (const int x : {439, 440}) EXPECT_LE(colourDistance(pixelAt(*soft, x, 150), {148, 148, 148}), 2) << x;
    for (const int x : {438, 441}) EXPECT_EQ(pixelAt(*soft, x, 150), kWhite) << x;
    EXPECT_EQ(pixelAt(*soft, 440, 49), kWhite); // before the line's start
    EXPECT_LE(colourDistance(at(*soft, {140.5f, 300.5f}), {202, 202, 202}), 3); // faded with its view
    EXPECT_LE(colourDistance(at(*soft, {20, 20}), {128, 128, 128}), 1);
    EXPECT_EQ(at(*soft, {175, 175}), (Rgb{255, 0, 0}));
    EXPECT_EQ(at(*soft, {145, 175}), kWhite);
    EXPECT_EQ(at(*soft, {175, 205}), kWhite);
    EXPECT_EQ(pixelAt(*soft, 100, 160), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixelAt(*soft, 40, 160), (Rgb{0, 0, 0})); // the margin

    // Without a display, SDL's off-screen driver still offers OpenGL where Mesa is installed.
    const testkit::ScopedEnvironment driver("SDL_VIDEODRIVER", "offscreen");
    const struct Video {
        Video() { SDL_InitSubSystem(SDL_INIT_VIDEO); }
        ~Video() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
    } video;
    const ui::sdl::WindowPtr w(SDL_CreateWindow("", 0, 0, soft->w, soft->h, SDL_WINDOW_HIDDEN));
    const ui::sdl::RendererPtr card(w ? SDL_CreateRenderer(w.get(), -1, SDL_RENDERER_ACCELERATED) : nullptr);
    if (!card) GTEST_SKIP() << "no renderer but software here: " << SDL_GetError();
    ui::sdl::SdlCanvas(card.get(), fonts).paint(h.window(), wide);
    const SurfacePtr read(SDL_CreateRGBSurfaceWithFormat(0, soft->w, soft->h, 32, SDL_PIXELFORMAT_ARGB8888));
    ASSERT_EQ(SDL_RenderReadPixels(card.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, read->pixels, read->pitch), 0);
    int differing = 0; // the lines' ends alone may, by a pixel
    for (int y = 0; y < soft->h; ++y) {
        for (int x = 0; x < soft->w; ++x) differing += colourDistance(pixelAt(*read, x, y), pixelAt(*soft, x, y)) > 5;
    }
    EXPECT_LE(differing, 2);
}

} // namespace

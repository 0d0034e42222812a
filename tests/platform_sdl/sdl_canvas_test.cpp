#include "platform/geometry.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/label.h"
#include "platform/sdl/sdl_canvas.h"
#include "platform/sdl/snapshot.h"
#include "platform/view.h"
#include "support/harness.h"
#include "support/pixels.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using testkit::colourDistance;
using testkit::pixelAt;
using testkit::Rgb;
using ui::Point;
using ui::Rect;
using ui::View;
using ui::sdl::Landscape;

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0};

// The harness's window, white, drawn by SDL's software renderer at 2 pixels a point.
class SoftwareScreen : public ::testing::Test {
protected:
    static constexpr float kScale = 2;

    SoftwareScreen() { h.window().setBackgroundColor(ui::Color::white()); }

    ui::sdl::SurfacePtr render() { return ui::sdl::renderLandscape(h.window(), {320, 480}, kScale); }
    Rgb at(SDL_Surface& s, Point portrait) const {
        const Point p = landscape.toPixels(portrait);
        return pixelAt(s, static_cast<int>(p.x), static_cast<int>(p.y));
    }
    // The colour of a point of a view's bounds, as drawn.
    Rgb at(SDL_Surface& s, const View& view, Point local) const { return at(s, view.convertToWindow(local)); }

    // A 40 x 60 picture in four colours: red, green above blue, yellow.
    std::shared_ptr<const ui::Image> quadrants() {
        const auto file = std::filesystem::path(::testing::TempDir()) / "quadrants.png";
        const ui::sdl::SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 40, 60, 32, SDL_PIXELFORMAT_ARGB8888));
        const SDL_Rect parts[] = {{0, 0, 20, 30}, {20, 0, 20, 30}, {0, 30, 20, 30}, {20, 30, 20, 30}};
        const Rgb colours[] = {kRed, kGreen, kBlue, kYellow};
        for (int i = 0; i < 4; ++i) {
            SDL_FillRect(s.get(), &parts[i], SDL_MapRGB(s->format, colours[i].r, colours[i].g, colours[i].b));
        }
        EXPECT_EQ(IMG_SavePNG(s.get(), file.c_str()), 0);
        return std::make_shared<const ui::Image>("quadrants.png", file, ui::Size{40, 60});
    }

    testkit::Harness h;
    Landscape landscape{{320, 480}, {480 * kScale, 320 * kScale}};
};

TEST_F(SoftwareScreen, PicturesAppearUprightAndTurnWithTheirViews) {
    const auto picture = quadrants();
    auto upright = std::make_shared<ui::ImageView>(picture);
    upright->setCenter({60, 100});
    auto turned = std::make_shared<ui::ImageView>(picture);
    turned->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    turned->setCenter({200, 300});
    h.show(upright);
    h.show(turned);
    const auto s = render();
    ASSERT_TRUE(s);

    for (const View* view : {upright.get(), turned.get()}) {
        EXPECT_EQ(at(*s, *view, {10, 15}), kRed);
        EXPECT_EQ(at(*s, *view, {30, 15}), kGreen);
        EXPECT_EQ(at(*s, *view, {10, 45}), kBlue);
        EXPECT_EQ(at(*s, *view, {30, 45}), kYellow);
    }
    // Unturned on the portrait screen, the picture lies on its side in
    // landscape, its top towards the right; the turned view reads upright.
    EXPECT_EQ(at(*s, {50, 90}), kRed);
    EXPECT_EQ(pixelAt(*s, 2 * 170, 2 * 185), kRed);    // landscape (170, 185): top left of the turned view
    EXPECT_EQ(pixelAt(*s, 2 * 190, 2 * 215), kYellow); // its bottom right
    EXPECT_EQ(at(*s, {150, 300}), kWhite);
}

TEST_F(SoftwareScreen, PicturesAreDrawnFromTheFileMadeForTheScale) {
    const auto circle = ui::Image::named("touchCircle.png");
    ASSERT_TRUE(circle);
    auto view = std::make_shared<ui::ImageView>(circle);
    view->setCenter({100, 200});
    h.show(view);
    for (const int scale : {2, 3}) {
        const ui::sdl::SurfacePtr file(IMG_Load(circle->file(scale).c_str()));
        ASSERT_TRUE(file);
        ASSERT_EQ(file->w, scale * static_cast<int>(circle->size().width));
        const auto s = ui::sdl::renderLandscape(h.window(), {320, 480}, static_cast<float>(scale));
        ASSERT_TRUE(s);
        const Landscape output({320, 480}, {480.f * scale, 320.f * scale});
        // Every pixel of the file, over white, is one pixel of the screen: as sharp as it was drawn.
        int worst = 0;
        for (int v = 0; v < file->h; ++v) {
            for (int u = 0; u < file->w; ++u) {
                Uint32 value = 0;
                SDL_memcpy(&value, static_cast<Uint8*>(file->pixels) + v * file->pitch + u * file->format->BytesPerPixel,
                           file->format->BytesPerPixel);
                Uint8 r, g, b, a;
                SDL_GetRGBA(value, file->format, &r, &g, &b, &a);
                const auto overWhite = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
                const Point p = output.toPixels(view->convertToWindow({(u + 0.5f) / scale, (v + 0.5f) / scale}));
                const Rgb drawn = pixelAt(*s, static_cast<int>(p.x), static_cast<int>(p.y));
                worst = std::max(worst, colourDistance(drawn, {overWhite(r), overWhite(g), overWhite(b)}));
            }
        }
        EXPECT_LE(worst, 2) << "scale " << scale;
    }
}

// Where dark pixels are, in pixel columns from `fromX` on.
struct Ink {
    int minX, maxX, minY, maxY;
    int inkiestRow; // the row holding most of them
    bool any() const { return maxX >= 0; }
};

Ink inkOf(SDL_Surface& s, int fromX = 0) {
    Ink ink{s.w, -1, s.h, -1, -1};
    int inkiest = 0;
    for (int y = 0; y < s.h; ++y) {
        int row = 0;
        for (int x = fromX; x < s.w; ++x) {
            if (colourDistance(pixelAt(s, x, y), kBlack) > 100) continue;
            ++row;
            ink.minX = std::min(ink.minX, x), ink.maxX = std::max(ink.maxX, x);
            ink.minY = std::min(ink.minY, y), ink.maxY = std::max(ink.maxY, y);
        }
        if (row > inkiest) inkiest = row, ink.inkiestRow = y;
    }
    return ink;
}

// A turned label, as the game's are, in landscape from x 180 to `right` and y 10 to 50.
std::shared_ptr<ui::Label> turnedLabel(const char* text, float right) {
    auto label = std::make_shared<ui::Label>();
    label->setTransform(ui::Transform::rotation(ui::kLandscapeTurn));
    label->setFrame({10, 480 - right, 40, right - 180});
    label->setText(text);
    label->setFont({"Helvetica-Bold", 30});
    label->setTextColor(ui::Color::black());
    return label;
}

TEST_F(SoftwareScreen, TurnedLabelsReadLeftToRightInLandscape) {
    h.show(turnedLabel("TTTTT", 380));
    const auto s = render();
    ASSERT_TRUE(s);
    const Ink ink = inkOf(*s);
    ASSERT_TRUE(ink.any()) << "no text drawn";
    // One line across the landscape, starting at the label's left end.
    EXPECT_GT(ink.maxX - ink.minX, 3 * (ink.maxY - ink.minY));
    EXPECT_NEAR(ink.minX, 2 * 180, 2 * 4);
    EXPECT_LT(ink.maxX, 2 * 380);
    EXPECT_GE(ink.minY, 2 * 10);
    EXPECT_LE(ink.maxY, 2 * 50);
    // The bars of the Ts are at the top: the text is not upside down.
    EXPECT_LT(ink.inkiestRow, (ink.minY + ink.maxY) / 2);
}

TEST_F(SoftwareScreen, ALineTooLongForATruncatingLabelEndsInAnEllipsisInside) {
    const auto label = turnedLabel("TTTTTTTTTTTTTTTTTTTTTTTT", 300);
    label->setTruncatesTail(true);
    h.show(label);
    const auto s = render();
    ASSERT_TRUE(s);
    const Ink ink = inkOf(*s);
    ASSERT_TRUE(ink.any()) << "no text drawn";
    EXPECT_NEAR(ink.minX, 2 * 180, 2 * 4);
    EXPECT_LE(ink.maxX, 2 * 300);
    EXPECT_GT(ink.maxX, 2 * 270); // cut after the last whole letter that fits beside the ellipsis
    // The last few points hold only the ellipsis' dots, low on the line.
    const Ink end = inkOf(*s, ink.maxX - 2 * 6);
    EXPECT_LT(end.maxY - end.minY, (ink.maxY - ink.minY) / 3);
    EXPECT_GT(end.minY, (ink.minY + ink.maxY) / 2);
}

// Draws one grey line, 2 points wide, as the board does.
class Line : public View {
public:
    Line(Point from, Point to) : View(Rect{0, 0, 320, 480}), from_(from), to_(to) {}
    void drawRect(ui::Canvas& c, Rect) override {
        c.setRGBStrokeColor({0.58f, 0.58f, 0.58f, 1});
        c.setLineWidth(2);
        c.moveToPoint(from_);
        c.addLineToPoint(to_);
        c.strokePath();
    }

private:
    Point from_, to_;
};

TEST_F(SoftwareScreen, LinesAreTwoPointsWideAndFadeWithTheirView) {
    constexpr Rgb kGrey{148, 148, 148};
    h.show(std::make_shared<Line>(Point{50, 100}, Point{250, 100}));
    auto diagonal = std::make_shared<Line>(Point{40, 200}, Point{240, 400});
    h.show(diagonal);
    auto s = render();
    ASSERT_TRUE(s);
    // Portrait y = 100 is landscape x = 380: pixels 758 to 761 are the line's 4.
    for (const int x : {758, 759, 760, 761}) EXPECT_LE(colourDistance(pixelAt(*s, x, 300), kGrey), 2) << "x " << x;
    EXPECT_EQ(pixelAt(*s, 757, 300), kWhite);
    EXPECT_EQ(pixelAt(*s, 762, 300), kWhite);
    EXPECT_EQ(pixelAt(*s, 760, 2 * 40), kWhite); // before the line's start
    EXPECT_LE(colourDistance(at(*s, {140, 300}), kGrey), 2);
    EXPECT_EQ(at(*s, {150, 300}), kWhite);

    diagonal->setAlpha(0.5f);
    s = render();
    EXPECT_LE(colourDistance(at(*s, {140, 300}), {202, 202, 202}), 3);
}

TEST_F(SoftwareScreen, FillsBlendAndClipsCut) {
    auto veil = std::make_shared<View>(Rect{0, 0, 100, 100});
    veil->setBackgroundColor({0, 0, 0, 0.5f});
    auto window = std::make_shared<View>(Rect{150, 150, 50, 50});
    window->setClipsToBounds(true);
    auto inside = std::make_shared<View>(Rect{-50, -50, 150, 150});
    inside->setBackgroundColor({1, 0, 0, 1});
    window->addSubview(inside);
    h.show(veil);
    h.show(window);
    const auto s = render();
    ASSERT_TRUE(s);
    EXPECT_LE(colourDistance(at(*s, {50, 50}), {128, 128, 128}), 1);
    EXPECT_EQ(at(*s, {175, 175}), kRed);
    EXPECT_EQ(at(*s, {145, 175}), kWhite);
    EXPECT_EQ(at(*s, {175, 205}), kWhite);

    // On a wider output, a view reaching past the screen's edge stops at the margin.
    auto beyond = std::make_shared<View>(Rect{0, 400, 320, 120});
    beyond->setBackgroundColor({0, 0, 1, 1});
    h.show(beyond);
    const ui::sdl::SurfacePtr wide(SDL_CreateRGBSurfaceWithFormat(0, 600, 320, 32, SDL_PIXELFORMAT_ARGB8888));
    const ui::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(wide.get()));
    ui::sdl::FontLibrary fonts;
    ui::sdl::SdlCanvas(renderer.get(), fonts).paint(h.window(), Landscape({320, 480}, {600, 320}));
    EXPECT_EQ(pixelAt(*wide, 100, 160), kBlue);
    EXPECT_EQ(pixelAt(*wide, 40, 160), kBlack);
}

TEST_F(SoftwareScreen, RenderedTextIsKeptWhileItIsShownAndRemadeWhenItChanges) {
    const auto surface = ui::sdl::SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, 480, 320, 32, SDL_PIXELFORMAT_ARGB8888));
    const ui::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
    ui::sdl::FontLibrary fonts;
    ui::sdl::SdlCanvas canvas(renderer.get(), fonts);
    const Landscape scale1({320, 480}, {480, 320});
    auto label = [&](float y) {
        auto l = std::make_shared<ui::Label>(Rect{10, y, 100, 20});
        l->setText("Level:");
        h.show(l);
        return l;
    };
    const auto a = label(10), b = label(40);

    canvas.paint(h.window(), scale1);
    EXPECT_EQ(canvas.texts().size(), 1u); // one text, font and colour: rendered once for both
    b->setText("Score:");
    canvas.paint(h.window(), scale1);
    EXPECT_EQ(canvas.texts().size(), 2u);
    b->setTextColor({0.3f, 0.55f, 0.14f, 1});
    canvas.paint(h.window(), scale1);
    EXPECT_EQ(canvas.texts().size(), 2u); // the black "Score:" has gone
    a->setAlpha(0);
    b->setAlpha(0);
    canvas.paint(h.window(), scale1);
    EXPECT_EQ(canvas.texts().size(), 0u);
}

} // namespace

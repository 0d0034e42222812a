// A window draws only what changed since its last frame, over the frame it
// kept. Along a game a player walks, each kept frame must equal the whole
// screen drawn afresh, pixel for pixel.
#include "core/system_random.h"
#include "game/main_view.h"
#include "platform/sdl/sdl_canvas.h"
#include "platform/sdl/snapshot.h"
#include "platform/sdl/text_cache.h"
#include "saves/save_folder.h"
#include "support/harness.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Frames are also drawn on the graphics card where Mesa offers OpenGL off screen, but not under the
// sanitizers: Mesa's compiler deadlocks their unwinder, and its libraries leak where no suppression names them.
constexpr bool kOnTheCard = LIRVO_ON_THE_CARD;

// The largest difference of one colour component between two surfaces of one size.
int worstDifference(SDL_Surface& a, SDL_Surface& b) {
    int worst = 0;
    for (int y = 0; y < a.h; ++y) {
        for (int x = 0; x < a.w; ++x) {
            worst = std::max(worst, testkit::colourDistance(testkit::pixelAt(a, x, y), testkit::pixelAt(b, x, y)));
        }
    }
    return worst;
}

// Pixels a point, none of them whole, so tile edges fall inside pixels;
// below one, a point is smaller than a pixel. A graphics card's renderer
// (OpenGL off screen, where Mesa is installed) keeps its frame in a texture
// of its own and draws lines as bands: its frames may differ from the
// software's by a shade where edges are soft.
class KeptFrame : public ::testing::TestWithParam<float> {};

TEST_P(KeptFrame, EveryFrameOfAGameEqualsTheScreenDrawnAfresh) {
    testkit::Harness h;
    testkit::TempFolder saveFolder;
    saves::SaveFolder saves(saveFolder.path());
    core::SystemRandom random;
    auto screen = std::make_shared<game::MainView>(h.window().bounds(), random, saves);
    h.show(screen);
    // A and B linked; C, linked to D, lies where the link will pass once A has
    // moved. Two more links cross for good, so no move ends the level. A
    // Time Trial's clock of 999 minutes is wider than its label.
    screen->StartGame({.Difficulty = "Easy",
                       .TimeTrial = true,
                       .NumberOfNodes = 8,
                       .xNodes = {100, 100, 200, 250, 40, 300, 150, 150},
                       .yNodes = {100, 400, 250, 400, 200, 200, 160, 300},
                       .Links = {{1}, {}, {3}, {}, {5}, {}, {7}, {}},
                       .Minutes = 999,
                       .Seconds = 58});

    const ui::sdl::SurfacePtr output(ui::sdl::renderLandscape(h.window(), {320, 480}, GetParam()));
    const ui::sdl::Landscape landscape({320, 480}, {static_cast<float>(output->w), static_cast<float>(output->h)});
    const ui::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(output.get()));
    ui::sdl::FontLibrary fonts;
    ui::sdl::SdlCanvas canvas(renderer.get(), fonts, output.get());
    const struct Video {
        Video() {
            if (kOnTheCard) SDL_VideoInit("offscreen");
        }
        ~Video() { SDL_VideoQuit(); }
    } video;
    const ui::sdl::WindowPtr window(kOnTheCard ? SDL_CreateWindow("", 0, 0, output->w, output->h, SDL_WINDOW_HIDDEN)
                                               : nullptr);
    const ui::sdl::RendererPtr card(window ? SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_ACCELERATED) : nullptr);
    ui::sdl::SdlCanvas cardCanvas(card.get(), fonts);
    const ui::sdl::SurfacePtr cardFrame(SDL_ConvertSurface(output.get(), output->format, 0));
    const auto frame = [&](const std::string& moment) {
        canvas.paintChanges(h.window(), landscape, h.window().damage());
        SDL_RenderFlush(renderer.get());
        if (card) cardCanvas.paintChanges(h.window(), landscape, h.window().damage());
        h.window().markDisplayed();
        h.window().setPixelsPerPoint(landscape.scale()); // as the window's back end does
        const ui::sdl::SurfacePtr afresh = ui::sdl::renderLandscape(h.window(), {320, 480}, GetParam());
        EXPECT_EQ(worstDifference(*output, *afresh), 0) << moment;
        if (!card) return;
        SDL_RenderReadPixels(card.get(), nullptr, cardFrame->format->format, cardFrame->pixels, cardFrame->pitch);
        EXPECT_LE(worstDifference(*cardFrame, *afresh), 8) << moment << ", on the graphics card";
    };
    const auto walk = [&](testkit::Harness::Finger& finger, std::initializer_list<ui::Point> path, const char* moment) {
        for (const ui::Point p : path) {
            finger.moveTo(p);
            frame(moment);
        }
    };

    frame("the board appears");
    auto a = h.press({100, 100});
    frame("A is picked up");
    walk(a, {{140, 100}, {190, 96}, {251, 103}, {300, 100}}, "A moves"); // its link passes under C

    auto d = h.press({250, 400});
    for (const ui::Point p : {ui::Point{230, 380}, {180, 330}}) {
        d.moveTo(p);
        a.moveTo({p.x + 60, p.y - 200});
        frame("A and D move together");
    }
    a.lift();
    frame("A is put down while D is held");
    walk(d, {{20, 470}}, "D reaches the corner"); // the playing area stops it
    d.lift();
    frame("D is put down");
    // A level link, its soft edge just past the tiles the link lies on, wherever it falls in them.
    auto e = h.press({40, 200}), f = h.press({300, 200});
    for (float y = 201; y <= 222; ++y) {
        e.moveTo({40, y});
        f.moveTo({300, y});
        frame("a level link moves down");
    }
    e.lift();
    f.lift();
    // Along the heads-up display, past the clock.
    a = h.press({240, 130});
    walk(a, {{33, 130}, {33, 200}, {33, 260}, {33, 300}}, "A moves along the clock");
    a.lift();
    for (int tick = 0; tick < 2; ++tick) {
        h.advance(1);
        frame("the clock ticks");
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, KeptFrame, ::testing::Values(0.43f, 1.673f, 2.31f));

// Saved games' names too long for their row: cut after the last letter that fits beside the ellipsis,
// a letter of two bytes too; a line sits left, centred or right in its box; and text wraps at its box's
// width in pixels, whatever the pixels a point.
TEST(Text, ALineTooLongForItsBoxEndsInAnEllipsisInsideItAndWrappedTextFillsItsBox) {
    const ui::sdl::SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, 480, 40, 32, SDL_PIXELFORMAT_ARGB8888));
    const ui::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
    ui::sdl::FontLibrary fonts;
    ui::sdl::TextCache cache(renderer.get(), fonts);
    const auto width = [&](const char* text, bool truncates) {
        return cache.get({text, {"Helvetica", 17}, ui::Color::black(), {}, false, truncates}, 17, 200, false)->width;
    };
    EXPECT_EQ(width("MMM", true), width("MMM", false)); // what fits stays whole
    for (const std::string letter : {"M", "\u00c9"}) {
        std::string line;
        for (int n = 0; n < 24; ++n) line += letter;
        const int cut = width(line.c_str(), true);
        EXPECT_LE(cut, 200) << letter;
        EXPECT_GT(cut, 200 - width(letter.c_str(), false)) << letter;
    }

    ui::sdl::SdlCanvas canvas(renderer.get(), fonts, surface.get());
    // Where the ink of one short line lies across a box 20 to 460 pixels wide.
    const auto inkBetween = [&](ui::TextAlignment alignment) {
        SDL_FillRect(surface.get(), nullptr, 0xFFFFFFFF);
        canvas.drawText({"MM", {"Helvetica", 17}, ui::Color::black(), alignment}, {{20, 0}, {440, 40}});
        SDL_RenderFlush(renderer.get());
        int first = 480, last = -1;
        for (int x = 0; x < 480; ++x) {
            if (testkit::pixelAt(*surface, x, 20).r < 128) first = std::min(first, x), last = x;
        }
        return std::pair{first, last};
    };
    const int left = inkBetween(ui::TextAlignment::Left).first;
    const auto [centreFirst, centreLast] = inkBetween(ui::TextAlignment::Center);
    const int right = inkBetween(ui::TextAlignment::Right).second;
    EXPECT_TRUE(left >= 20 && left < 26) << left;
    EXPECT_NEAR((centreFirst + centreLast) / 2.0, 240, 3);
    EXPECT_TRUE(right < 460 && right >= 454) << right;

    SDL_FillRect(surface.get(), nullptr, 0xFFFFFFFF);
    canvas.scaleCTM(2, 2);
    canvas.drawText({"MM MM MM MM MM MM MM MM", {"Helvetica", 17}, ui::Color::black(), {}, true, false},
                    {{}, {240, 20}});
    SDL_RenderFlush(renderer.get());
    int inkInTheRightHalf = 0;
    for (int x = 240; x < 480; ++x) inkInTheRightHalf += testkit::pixelAt(*surface, x, 20).r < 128;
    EXPECT_GT(inkInTheRightHalf, 0);
}

} // namespace

#include "app/options.h"
#include "app/snapshot_command.h"
#include "game/main_view.h"
#include "game/nod.h"
#include "game/playing.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/sdl/landscape.h"
#include "platform/sdl/snapshot.h"
#include "start/start_screen_fixture.h"
#include "support/pixels.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

using testkit::colourDistance;
using testkit::pixelAt;
using testkit::Rgb;
using ui::Point;

constexpr Rgb kLineGrey{148, 148, 148};

float distanceToSegment(Point p, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.f, 1.f);
    return ui::distance(p, {a.x + t * dx, a.y + t * dy});
}

// The program with an "Easy" "Single Player" game chosen on its menus.
class ProgramTest : public testkit::StartScreenTest {
protected:
    ProgramTest() { playNewGame(false, 0); }

    game::MainView& screen() { return game(); }
    std::vector<std::pair<Point, Point>> links() {
        std::vector<std::pair<Point, Point>> all;
        const auto& nodes = screen().collection();
        for (const auto& nod : nodes) {
            for (const int t : nod->getLink()) all.emplace_back(nod->center(), nodes[static_cast<std::size_t>(t)]->center());
        }
        return all;
    }
    // What the window shows, at `scale` pixels a point.
    ui::sdl::SurfacePtr render(float scale) { return ui::sdl::renderLandscape(h.window(), {320, 480}, scale); }
    // The pixel whose middle is nearest to a portrait point.
    static Rgb at(SDL_Surface& s, Point portrait) {
        const ui::sdl::Landscape landscape({320, 480}, {static_cast<float>(s.w), static_cast<float>(s.h)});
        const Point p = landscape.toPixels(portrait);
        return pixelAt(s, static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
    }
    bool nearACircle(Point p, float reach) {
        for (const auto& nod : screen().collection()) {
            if (ui::distance(p, nod->center()) < reach) return true;
        }
        return false;
    }

    // Every link's middle, where no circle covers it, shows the grey of the lines.
    void expectLinesDrawn(SDL_Surface& s) {
        int checked = 0;
        for (const auto& [a, b] : links()) {
            const Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
            if (nearACircle(middle, 18)) continue;
            ++checked;
            EXPECT_LE(colourDistance(at(s, middle), kLineGrey), 8) << "line middle " << middle.x << ", " << middle.y;
        }
        EXPECT_GT(checked, 0);
    }
    std::vector<std::string> autoSaves() const {
        std::vector<std::string> found;
        for (const auto& name : saves().list().saveNames) {
            if (name.find("]-auto, LVL ") != std::string::npos) found.push_back(name);
        }
        return found;
    }
};

TEST_F(ProgramTest, EndingTheProgramInAGameSavesItOnce) {
    EXPECT_TRUE(h.app().isStatusBarHidden());
    EXPECT_EQ(start->superview(), &h.window());
    h.advance(2.0);
    EXPECT_TRUE(saves().list().saveNames.empty());
    h.terminate();
    const auto saved = autoSaves();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_NE(saved[0].find("]-auto, LVL 1, Easy, SP"), std::string::npos) << saved[0];
    const auto record = saves().read(saved[0]);
    ASSERT_TRUE(record.record) << record.problem;
    EXPECT_EQ(record.record->NumberOfNodes, 7);
    EXPECT_FALSE(record.record->IsGameEnded);
}

TEST_F(ProgramTest, EndingItOnTheWinPanelSavesTheEndedLevel) {
    testkit::solveByDragging(h, screen());
    h.advance(1.1);
    ASSERT_EQ(screen().label1()->text(), "You Win!");
    h.terminate();
    const auto saved = autoSaves();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saves().read(saved[0]).record->IsGameEnded);
}

TEST_F(ProgramTest, EndingItWithTheSavedGamesListOverAGameSavesThatGame) {
    h.doubleTap({8, 240});
    h.advance(1.1);
    h.tap(testkit::middleOf(*screen().label3())); // "Load Game"
    h.advance(kPanelOpens);
    ASSERT_EQ(start->scrollView()->alpha(), 1.0f);
    h.terminate();
    EXPECT_EQ(autoSaves().size(), 1u);
}

TEST_F(ProgramTest, EndingItAfterQuittingToTheMenuSavesNothing) {
    h.doubleTap({8, 240});
    h.advance(1.1);
    h.tap(testkit::middleOf(*screen().label5())); // "Quit to main"
    h.advance(2.0);
    h.terminate();
    EXPECT_TRUE(saves().list().saveNames.empty());
}

TEST_F(ProgramTest, TheScreenFlippingBackToTheMenuLeavesNoBlackBesideIt) {
    h.doubleTap({8, 240});
    h.advance(1.1);
    h.tap(testkit::middleOf(*screen().label5())); // "Quit to main"
    h.advance(0.25);                     // the screen narrowed to 0.7 of its width
    EXPECT_EQ(at(*render(1), {10, 240}), (Rgb{255, 255, 255}));
}

using ProgramOnItsMenu = testkit::StartScreenTest;

TEST_F(ProgramOnItsMenu, EndingItSavesNothing) {
    toMainMenu();
    h.terminate();
    EXPECT_TRUE(saves().list().saveNames.empty());
}

TEST_F(ProgramTest, TheBoardIsDrawnOverItsBackgroundAndItsLinesFollowADraggedCircle) {
    // At one pixel a point the background is copied pixel for pixel.
    auto s = render(1);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->w, 480);
    ASSERT_EQ(s->h, 320);

    // Away from circles, lines and the heads-up strip, the board is its background picture, turned.
    const ui::sdl::SurfacePtr background(IMG_Load((ui::Image::resourceFolder() / "bgInGame.jpg").c_str()));
    ASSERT_TRUE(background);
    int compared = 0;
    for (int y = 20; y < 480; y += 23) {
        for (int x = 30; x < 320; x += 23) {
            const Point p{static_cast<float>(x), static_cast<float>(y)};
            bool nearALine = false;
            for (const auto& [a, b] : links()) nearALine = nearALine || distanceToSegment(p, a, b) < 4;
            if (nearALine || nearACircle(p, 18)) continue;
            ++compared;
            EXPECT_LE(colourDistance(at(*s, p), pixelAt(*background, x, y)), 2) << "at " << x << ", " << y;
        }
    }
    EXPECT_GT(compared, 100);
    for (const auto& nod : screen().collection()) {
        const Rgb centre = at(*s, nod->center());
        EXPECT_GT(centre.g, centre.r + 40) << "a green circle at " << nod->center().x << ", " << nod->center().y;
    }
    // Lines are 4 pixels wide at two pixels a point, solid in the middle.
    expectLinesDrawn(*render(2));

    // Drag the topmost circle with links of its own; its lines go with it.
    const auto& nodes = screen().collection();
    const auto moved = std::find_if(nodes.rbegin(), nodes.rend(), [](const auto& n) { return !n->getLink().empty(); });
    ASSERT_NE(moved, nodes.rend());
    const Point from = (*moved)->center();
    const Point to = {from.x < 160 ? from.x + 100 : from.x - 100, from.y < 240 ? from.y + 120 : from.y - 120};
    h.drag(testkit::Harness::path(from, to));
    ASSERT_EQ((*moved)->center(), to);
    expectLinesDrawn(*render(2));
}

TEST_F(ProgramTest, TheHeadsUpDisplayRunsAlongTheTopEdge) {
    const auto s = render(1);
    // The white hint on its green tab, at the right end of the top edge.
    int white = 0, whiteElsewhere = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 480; ++x) {
            if (colourDistance(pixelAt(*s, x, y), {255, 255, 255}) > 6) continue;
            (x >= 333 && y < 20 ? white : whiteElsewhere)++;
        }
    }
    EXPECT_GT(white, 150);
    EXPECT_EQ(whiteElsewhere, 0);
    // The dark green captions, along the top edge between 78 and 323 points from its left end.
    int caption = 0;
    for (int x = 78; x < 323; ++x) {
        for (int y = 0; y < 20; ++y) caption += colourDistance(pixelAt(*s, x, y), {54, 105, 26}) < 40;
    }
    EXPECT_GT(caption, 200);
}

TEST(SnapshotCommand, WritesThePictureAfterTheScript) {
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    const testkit::TempFolder saveFolder;
    const saves::SaveFolder saves(saveFolder.path());
    const auto file = std::filesystem::path(::testing::TempDir()) / "lirvo-menu.png";
    std::filesystem::remove(file);
    app::Options options;
    options.snapshot = file;
    // Landscape points: after the intro "New Game", "Single Player" and "Easy" all lie at
    // (420, 178); then a double tap on the top strip, where no circle goes, opens the options menu.
    options.play = "wait 9.4; tap 420 178; wait 1; tap 420 178; wait 1; tap 420 178; wait 1; doubletap 240 8; wait 1.5";
    options.scale = 2;
    std::ostringstream errors;
    ASSERT_EQ(app::takeSnapshot(options, saves, errors), 0) << errors.str();

    const ui::sdl::SurfacePtr picture(IMG_Load(file.c_str()));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->w, 960);
    EXPECT_EQ(picture->h, 640);
    // The menu's card, its paper between the outline and the entries.
    EXPECT_LE(colourDistance(pixelAt(*picture, 2 * 170, 2 * 235), {246, 244, 232}), 12);
    // Its entries in dark text, in the middle of the card.
    int dark = 0;
    for (int y = 2 * 120; y < 2 * 220; ++y) {
        for (int x = 2 * 185; x < 2 * 295; ++x) dark += colourDistance(pixelAt(*picture, x, y), {15, 15, 15}) < 60;
    }
    EXPECT_GT(dark, 1000);

    std::filesystem::remove(file);
    options.play = "wait 9.4; hop 1 2";
    EXPECT_EQ(app::takeSnapshot(options, saves, errors), 2);
    EXPECT_NE(errors.str().find("hop 1 2"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(saves.list().saveNames.empty()); // a snapshot ends no game
}

} // namespace

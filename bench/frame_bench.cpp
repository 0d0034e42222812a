// What frames of a game cost on SDL's software renderer: a finger moves a
// circle, then what changed on the landscape screen is drawn again, at one,
// two and three pixels a point. And, where a display is at hand, the real window: its
// first frame, and the CPU it takes while nobody touches it.
#include "app/lirvo_app_delegate.h"
#include "core/system_random.h"
#include "game/main_view.h"
#include "game/nod.h"
#include "platform/image.h"
#include "platform/image_view.h"
#include "platform/run_loop.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_canvas.h"
#include "platform/window.h"
#include "saves/save_folder.h"
#include "start/start_view.h"
#include "support/harness.h"
#include "support/scripted_random.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace {

// A game screen of `circles` circles drawn by SDL's software renderer into
// a landscape picture at `scale` pixels a point, its frame kept as in the window.
struct SoftwareBoard {
    SoftwareBoard(int circles, float scale)
        : random(1'700'000'000), screen(std::make_shared<game::MainView>(h.window().bounds(), random, saves)),
          landscape({320, 480}, {480 * scale, 320 * scale}),
          surface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(480 * scale), static_cast<int>(320 * scale), 32,
                                                 SDL_PIXELFORMAT_ARGB8888)),
          renderer(SDL_CreateSoftwareRenderer(surface.get())), canvas(renderer.get(), fonts, surface.get()) {
        h.show(screen);
        saves::SavedGameRecord game = game::newGame(core::kDifficulties[0], false);
        game.NumberOfNodes = circles;
        screen->StartGame(game);
        frame(); // pictures and texts loaded once
    }
    void frame() {
        canvas.paintChanges(h.window(), landscape, h.window().damage());
        h.window().markDisplayed();
        SDL_RenderFlush(renderer.get()); // the software renderer draws the queued work here
    }
    ui::TouchDispatcher& touches() { return h.window().touches(); }

    testkit::Harness h;
    testkit::ScriptedRandom random;
    // Nothing is saved here; the folder only completes the screen.
    saves::SaveFolder saves{std::filesystem::temp_directory_path()};
    std::shared_ptr<game::MainView> screen;
    ui::sdl::Landscape landscape;
    ui::sdl::SurfacePtr surface;
    ui::sdl::RendererPtr renderer;
    ui::sdl::FontLibrary fonts;
    ui::sdl::SdlCanvas canvas;
};

// Sixteen circles spread through the board: a circle's cost goes with how
// long its links are and how many others they pass.
std::vector<const game::Nod*> spreadCircles(const SoftwareBoard& board) {
    std::vector<const game::Nod*> spread;
    const auto& circles = board.screen->collection();
    for (std::size_t k = 0; k < 16; ++k) spread.push_back(circles[k * circles.size() / 16].get());
    return spread;
}

// A frame while a circle is dragged: the sixteen circles in turn, each
// picked up (not timed), moved to and fro beside its place, and put back.
// On a crowded board the finger may hold another circle lying on top.
void DragFrame(benchmark::State& state) {
    SoftwareBoard board(static_cast<int>(state.range(0)), static_cast<float>(state.range(1)));
    const std::vector<const game::Nod*> spread = spreadCircles(board);
    // Twenty points towards the middle, where nothing stops the circle.
    const auto aside = [](ui::Point p) {
        return ui::Point{p.x + (p.x < 160 ? 20.f : -20.f), p.y + (p.y < 240 ? 20.f : -20.f)};
    };
    constexpr int kMovesEach = 32;
    ui::Point grab, heldFrom;
    const ui::View* held = nullptr;
    int move = 0;
    for (auto _ : state) {
        if (move % kMovesEach == 0) {
            state.PauseTiming();
            if (held) {
                board.touches().ended(1, grab);
                board.frame();
            }
            grab = spread[static_cast<std::size_t>(move / kMovesEach) % spread.size()]->center();
            board.touches().began(1, grab);
            board.frame();
            held = board.screen->subviews().back().get(); // raised above the others
            heldFrom = held->center();
            state.ResumeTiming();
        }
        board.touches().moved(1, move++ % 2 ? grab : aside(grab));
        board.frame();
    }
    if (held->center() != (move % 2 ? heldFrom + (aside(grab) - grab) : heldFrom))
        state.SkipWithError("the circle did not follow the finger");
    board.touches().ended(1, grab);
}
BENCHMARK(DragFrame)
    ->ArgNames({"circles", "scale"})
    ->ArgsProduct({{14, 100, 1000}, {1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

// The two frames in which a circle is picked up and put down again: the
// board's kept drawing loses its links, then takes them back: the sixteen
// circles in turn.
void PickUpAndPutDown(benchmark::State& state) {
    SoftwareBoard board(static_cast<int>(state.range(0)), static_cast<float>(state.range(1)));
    std::vector<ui::Point> grabs;
    for (const game::Nod* circle : spreadCircles(board)) grabs.push_back(circle->center());
    std::size_t turn = 0;
    for (auto _ : state) {
        const ui::Point grab = grabs[turn++ % grabs.size()];
        board.touches().began(1, grab);
        board.frame();
        board.touches().ended(1, grab);
        board.frame();
    }
}
BENCHMARK(PickUpAndPutDown)
    ->ArgNames({"circles", "scale"})
    ->ArgsProduct({{100, 1000}, {1, 3}})
    ->Unit(benchmark::kMillisecond);

// From opening the window to the first frame on the screen: the start of the intro.
void WindowFirstFrame(benchmark::State& state) {
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    for (auto _ : state) {
        try {
            core::SystemRandom random;
            saves::SaveFolder saves(std::filesystem::temp_directory_path());
            app::LirvoAppDelegate delegate(random, saves);
            ui::sdl::SdlBackend backend({"Lirvo", 1, false, {}});
            ui::Application application(backend, delegate);
            application.launch();
            backend.present(*application.window());
        } catch (const std::runtime_error& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
}
BENCHMARK(WindowFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The real run loop, left alone for ten seconds once the intro is over: on
// the main menu, in an "Easy" game with its clock ticking, or with the
// game's options menu open (clock paused); then closed as by the window's
// close button. Reports the share of one CPU used meanwhile.
void WindowIdle(benchmark::State& state) {
    constexpr double kIntroOver = 9.5, kSettle = 12, kIdle = 10;
    const auto scene = state.range(0);
    ui::Image::setResourceFolder(LIRVO_RESOURCE_DIR);
    const auto saves = std::filesystem::temp_directory_path() / "lirvo-bench-saves";
    for (auto _ : state) {
        std::filesystem::create_directories(saves);
        try {
            core::SystemRandom random;
            saves::SaveFolder folder(saves);
            app::LirvoAppDelegate delegate(random, folder);
            ui::sdl::SdlBackend backend({"Lirvo", 1, false, {}});
            ui::Application application(backend, delegate);
            ui::RunLoop& loop = application.runLoop();
            const double start = loop.now();
            if (scene > 0) loop.schedule(start + kIntroOver, [&] { delegate.startView()->startNewGame("Easy"); });
            if (scene > 1) {
                // A double tap on the heads-up strip, where no circle lies.
                loop.schedule(start + kIntroOver + 1, [&] {
                    auto& touches = application.window()->touches();
                    for (int tap = 0; tap < 2; ++tap) {
                        touches.began(0, {8, 240});
                        touches.ended(0, {8, 240});
                    }
                });
            }
            double cpuAtStart = 0;
            loop.schedule(start + kSettle, [&] { cpuAtStart = processSeconds(); });
            loop.schedule(start + kSettle + kIdle, [&] {
                state.counters["cpu_percent"] = 100 * (processSeconds() - cpuAtStart) / kIdle;
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            });
            application.run();
            if (scene > 1 && delegate.startView()->mainView()->inGameMenu()->alpha() != 1) {
                state.SkipWithError("the menu did not open");
            }
        } catch (const std::runtime_error& e) {
            state.SkipWithError(e.what());
            break;
        }
        std::filesystem::remove_all(saves);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(WindowIdle)->ArgName("menu_game_options")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

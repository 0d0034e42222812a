// Opening the load panel over a folder of many saved games: the folder is
// listed (subfolders included) and the rows on the screen are made, with the
// heap the open panel holds; then loading one of them, which reads and checks
// its file and rebuilds its board; and reading the largest files the reader takes.
#include "saves/save_folder.h"
#include "start/start_view.h"

#include "core/generator.h"
#include "game/main_view.h"
#include "saves/property_list.h"
#include "support/harness.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "support/widest_record.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <malloc.h>
#include <string>

namespace {

constexpr int kNodes = 14;

saves::SavedGameRecord hardGame(testkit::ScriptedRandom& random) {
    core::seedFromClock(random);
    const core::BoardDescription board = core::describe(core::generateBoard(kNodes, random));
    saves::SavedGameRecord r;
    r.Difficulty = "Hard";
    r.ScoreInc = 25;
    r.NumberOfNodes = kNodes;
    r.xNodes = board.xNodes;
    r.yNodes = board.yNodes;
    r.Links = board.Links;
    return r;
}

// The bytes the heap holds now.
double heapBytes() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd);
}

void LoadPanelOpens(benchmark::State& state) {
    const int saveCount = static_cast<int>(state.range(0));
    testkit::TempFolder folder;
    saves::SaveFolder saves(folder.path());
    testkit::ScriptedRandom random(1'700'000'000);
    if (!saves.write({"game 0", hardGame(random)})) return state.SkipWithError("a save cannot be written");
    // Links to one file list as saves do, and are far quicker to make.
    for (int i = 1; i < saveCount; ++i) {
        std::filesystem::create_hard_link(saves.fileFor("game 0"), saves.fileFor("game " + std::to_string(i)));
    }

    testkit::Harness h;
    {
        // The pictures and fonts every panel shares are loaded once, by a screen of its own.
        testkit::TempFolder empty;
        saves::SaveFolder none(empty.path());
        start::StartView warm(h.window().bounds(), random, none);
        warm.tapOnLoad();
        h.advance(2);
    }
    const auto start = std::make_shared<start::StartView>(h.window().bounds(), random, saves);
    h.show(start);
    // What the open panel holds beyond the screen; a panel closed stays until the next one opens.
    const double screen = heapBytes();
    double held = 0;
    for (auto _ : state) {
        start->tapOnLoad();
        state.PauseTiming();
        held = heapBytes() - screen;
        // Once open, as a player closes it.
        h.advance(2);
        start->AnimateCreditsMenuOut();
        h.advance(2);
        state.ResumeTiming();
    }
    state.counters["views"] = static_cast<double>(start->scrollView()->subviews().size());
    state.counters["held_mb"] = held / (1024 * 1024);
}
BENCHMARK(LoadPanelOpens)->ArgName("saves")->Arg(100)->Arg(50'000)->Unit(benchmark::kMillisecond);

void LoadSavedGame(benchmark::State& state) {
    testkit::TempFolder folder;
    saves::SaveFolder saves(folder.path());
    testkit::ScriptedRandom random(1'700'000'000);
    if (!saves.write({"game", hardGame(random)})) return state.SkipWithError("the save cannot be written");

    testkit::Harness h;
    const auto start = std::make_shared<start::StartView>(h.window().bounds(), random, saves);
    h.show(start);
    for (auto _ : state) {
        state.PauseTiming();
        start->tapOnLoad();
        h.advance(2);
        state.ResumeTiming();
        start->loadData("game");
        state.PauseTiming();
        h.advance(2);
        state.ResumeTiming();
    }
    if (start->mainView()->collection().size() != kNodes) state.SkipWithError("the game was not loaded");
}
BENCHMARK(LoadSavedGame)->Unit(benchmark::kMicrosecond);

// A file of the size limit: the widest record at core::kMaxNodes circles
// (0), or a small game padded with keys the reader ignores (1). Read,
// checked and its board rebuilt.
void ReadLargestFile(benchmark::State& state) {
    testkit::ScriptedRandom random(1'700'000'000);
    std::string bytes = saves::encodeRecord(state.range(0) ? hardGame(random) : testkit::widestRecord());
    std::string keys;
    for (int i = 0; state.range(0) && bytes.size() + keys.size() < saves::kMaxFileSize - 30; ++i)
        keys += "<key>" + std::to_string(i) + "</key><array/>";
    bytes.insert(bytes.find("<dict>") + 6, keys);
    for (auto _ : state) {
        const auto record = saves::decodeRecord(bytes);
        if (!record) return state.SkipWithError(record.reason().c_str());
        benchmark::DoNotOptimize(
            core::rebuildBoard({record->xNodes, record->yNodes, record->Links}, record->NumberOfNodes));
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(ReadLargestFile)->ArgName("extra_keys")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

#include "game/model/game.h"
#include "game/model/records.h"
#include "support/scripted_random.h"
#include "support/solver.h"

#include <gtest/gtest.h>

namespace game {
namespace {

// A game on "Medium" (20 points a level, 1:30 in Time Trial), level 3, score
// 40, on a board of two crossed links, at `time`.
saves::SavedGameRecord medium(bool timeTrial, ClockTime time, bool ended = false) {
    return {20,    "Medium", 3,        40, timeTrial, 4, {100, 200, 100, 200}, {100, 200, 200, 100}, {{1}, {}, {3}, {}},
            ended, time.min, time.sec};
}

class GameModel : public ::testing::Test {
protected:
    // Moves every circle to a layout without crossings.
    void solve() {
        const auto layout = testkit::solveLayout(game.board(), core::kDragArea);
        for (std::size_t i = 0; i < layout.size(); ++i) game.moveCircle(i, layout[i]);
    }
    void tick(int seconds) {
        for (int i = 0; i < seconds; ++i) game.tick();
    }
    ClockTime time() const { return game.clock().time(); }
    std::pair<int, int> levelAndScore() const { return {game.progress().lvl, game.progress().currentScore}; }

    testkit::ScriptedRandom random{1'700'000'000};
    Game game{random};
};

struct ClockCase {
    bool timeTrial;
    ClockTime from;
    int ticks;
    ClockTime shows;
    Status status;
    bool isInPlay = true;
};

TEST_F(GameModel, TheClockCountsUpOrDownAndATimeTrialIsLostOnTheTickThatFindsItAtZero) {
    const ClockCase cases[] = {
        // Single Player counts on from the time saved, and ends nothing however long it runs.
        {false, {3, 27}, 59, {4, 26}, Status::Playing},
        {false, {0, 0}, 60, {1, 0}, Status::Playing},
        {false, {0, 0}, 549, {9, 9}, Status::Playing},
        {false, {0, 0}, 6000, {100, 0}, Status::Playing},
        {true, {2, 0}, 1, {1, 59}, Status::Playing},
        {true, {0, 60}, 1, {0, 59}, Status::Playing},
        {true, {1, 30}, 80, {0, 10}, Status::Playing},
        // 0:00 shows a tick before the level ends: lost already, still in play.
        {true, {0, 3}, 3, {0, 0}, Status::Lost},
        {true, {0, 3}, 4, {0, 0}, Status::Lost, false},
    };
    for (const ClockCase& c : cases) {
        game.start(medium(c.timeTrial, c.from));
        tick(c.ticks);
        EXPECT_EQ(time(), c.shows) << c.ticks;
        EXPECT_EQ(game.status(), c.status) << c.ticks;
        EXPECT_EQ(game.isLevelInPlay(), c.isInPlay) << c.ticks;
        EXPECT_EQ(levelAndScore(), std::pair(3, 40)) << c.ticks;
    }
    // Paused, the clock stands still and then counts on from where it stood.
    game.start(medium(true, {1, 10}));
    game.pause();
    tick(20);
    EXPECT_EQ(time(), (ClockTime{1, 10}));
    game.resume();
    tick(1);
    EXPECT_EQ(time(), (ClockTime{1, 9}));
}

TEST_F(GameModel, AWonLevelCountsOnceFreezesItsCirclesAndTheNextHasACircleMore) {
    game.start(newGame(core::kDifficulties[0], false)); // "Easy": 7 circles, 10 points a level
    EXPECT_EQ(game.board().size(), 7u);
    EXPECT_EQ(game.status(), Status::Playing);
    EXPECT_FALSE(game.endLevelIfOver());
    tick(5);
    solve();
    // Solved but not yet ended: saving says so and changes nothing.
    EXPECT_EQ(game.status(), Status::Won);
    EXPECT_TRUE(game.record().IsGameEnded);
    EXPECT_TRUE(game.isLevelInPlay());
    EXPECT_TRUE(game.endLevelIfOver());
    EXPECT_EQ(levelAndScore(), std::pair(2, 10));
    // The level ends once; its clock and circles stand still.
    EXPECT_FALSE(game.endLevelIfOver());
    EXPECT_EQ(levelAndScore(), std::pair(2, 10));
    tick(3);
    EXPECT_EQ(time(), (ClockTime{0, 5}));
    const core::Point frozen = game.board()[0].coord;
    EXPECT_EQ(game.moveCircle(0, {200, 200}), frozen);

    game.nextLevel();
    EXPECT_EQ(game.board().size(), 8u);
    EXPECT_EQ(levelAndScore(), std::pair(2, 10));
    EXPECT_EQ(time(), (ClockTime{0, 0}));
    tick(1);
    EXPECT_EQ(time(), (ClockTime{0, 1}));
    EXPECT_TRUE(game.isLevelInPlay());
}

TEST_F(GameModel, ALostTimeTrialRestartsWithTheDifficultysWholeTimeAndCanBeWon) {
    game.start(medium(true, {0, 3})); // loaded with 0:03 left
    tick(4);
    EXPECT_EQ(game.status(), Status::Lost);
    EXPECT_FALSE(game.isLevelInPlay());
    EXPECT_EQ(levelAndScore(), std::pair(3, 40)); // a lost level earns nothing
    game.restartLevel();
    EXPECT_EQ(game.board().size(), 4u);
    EXPECT_EQ(time(), (ClockTime{1, 30}));
    EXPECT_EQ(game.status(), Status::Playing);
    tick(89);
    solve();
    EXPECT_TRUE(game.endLevelIfOver());
    EXPECT_EQ(game.status(), Status::Won);
    EXPECT_EQ(levelAndScore(), std::pair(4, 60));
    // Solved in the last second, with the clock then at 0:00, it is still won.
    game.nextLevel();
    EXPECT_EQ(time(), (ClockTime{1, 30}));
    tick(90);
    solve();
    tick(1);
    EXPECT_EQ(game.status(), Status::Won);
    EXPECT_EQ(levelAndScore(), std::pair(5, 80));
}

struct ResumeCase {
    const char* kind;
    saves::SavedGameRecord record;
    std::size_t circles;
    bool keepsBoard;
    ClockTime time;
};

TEST_F(GameModel, EveryKindOfRecordResumesWithItsProgressAndCanBeWon) {
    auto wonAtZero = medium(true, {0, 0}, true); // solved on the tick that found 0:00
    wonAtZero.yNodes = {100, 100, 200, 200};
    auto endedSinglePlayer = medium(false, {4, 2}, true);
    endedSinglePlayer.NumberOfNodes = 10;
    saves::SavedGameRecord fresh = newGame(core::kDifficulties[1], true);
    fresh.Level = 3;
    fresh.Score = 40;
    const ResumeCase cases[] = {
        {"a new game", fresh, 10, false, {1, 30}},
        {"Single Player in play", medium(false, {3, 27}), 4, true, {3, 27}},
        {"Time Trial in play", medium(true, {0, 37}), 4, true, {0, 37}},
        {"Time Trial ended", medium(true, {0, 12}, true), 5, false, {1, 30}},
        {"Single Player ended", endedSinglePlayer, 11, false, {0, 0}},
        {"lost on time", medium(true, {0, 0}, true), 4, false, {1, 30}},
        {"won at 0:00", wonAtZero, 5, false, {1, 30}},
    };
    for (const ResumeCase& c : cases) {
        game.start(c.record);
        EXPECT_EQ(game.board().size(), c.circles) << c.kind;
        EXPECT_EQ(core::describe(game.board()).xNodes == c.record.xNodes, c.keepsBoard) << c.kind;
        EXPECT_EQ(time(), c.time) << c.kind;
        EXPECT_EQ(levelAndScore(), std::pair(3, 40)) << c.kind;
        // What it saves now starts the same game again.
        const saves::SavedGameRecord saved = game.record();
        game.start(saved);
        EXPECT_EQ(game.record(), saved) << c.kind;
        // It can be won, whatever the level before it came to.
        solve();
        EXPECT_TRUE(game.endLevelIfOver()) << c.kind;
    }
}

struct RecordCase {
    const char* kind;
    saves::SavedGameRecord from;
    bool restarted; // the level is played again from its start
    int seconds;    // on the clock before the board is solved
    LevelTime shows;
};

TEST_F(GameModel, AWonLevelIsARecordWhenItsOwnClockBeatsTheBestOfItsCirclesAndMode) {
    Records records;
    auto further = medium(false, {0, 0});
    further.Level = 9;
    further.Score = 0;
    const RecordCase cases[] = {
        {"the first of its size", medium(false, {0, 0}), false, 50, {{0, 50}, {0, 50}, true}},
        {"slower", further, false, 51, {{0, 51}, {0, 50}, false}},
        {"as fast", medium(false, {0, 0}), false, 50, {{0, 50}, {0, 50}, false}},
        {"resumed: its clock goes on", medium(false, {0, 45}), false, 4, {{0, 49}, {0, 49}, true}},
        {"resumed, fast since", medium(false, {0, 45}), false, 2, {{0, 47}, {0, 47}, true}},
        {"restarted: from its restart", medium(false, {0, 45}), true, 46, {{0, 46}, {0, 46}, true}},
        // Time Trial has records of its own: the most time left.
        {"time left", medium(true, {0, 37}), false, 7, {{0, 30}, {0, 30}, true}},
        {"less left", medium(true, {0, 37}), false, 17, {{0, 20}, {0, 30}, false}},
        {"restarted: the whole time", medium(true, {0, 37}), true, 10, {{1, 20}, {1, 20}, true}},
    };
    for (const RecordCase& c : cases) {
        game.start(c.from);
        if (c.restarted) game.restartLevel();
        tick(c.seconds);
        solve();
        ASSERT_TRUE(game.endLevelIfOver()) << c.kind;
        EXPECT_EQ(records.countWin(game), c.shows) << c.kind;
    }
    // The furthest level and the best score, each on its own, by difficulty and mode.
    using Games = decltype(saves::PersonalBests::games);
    using Times = decltype(saves::PersonalBests::times);
    EXPECT_EQ(records.bests().games, (Games{{{"Medium", false}, {10, 60}}, {{"Medium", true}, {4, 60}}}));
    EXPECT_EQ(records.bests().times, (Times{{{4, false}, 46}, {{4, true}, 80}}));
    // Records kept elsewhere are taken in, each where it beats these.
    records.keepBestOf({Games{{{"Medium", false}, {2, 900}}, {{"Hard", true}, {1, 0}}},
                        Times{{{4, false}, 47}, {{4, true}, 85}, {{5, true}, 3}}});
    EXPECT_EQ(records.bests().games,
              (Games{{{"Medium", false}, {10, 900}}, {{"Medium", true}, {4, 60}}, {{"Hard", true}, {1, 0}}}));
    EXPECT_EQ(records.bests().times, (Times{{{4, false}, 46}, {{4, true}, 85}, {{5, true}, 3}}));
}

TEST_F(GameModel, LevelScoreAndBoardStopGrowingWhereSavedGamesEnd) {
    auto limits = medium(false, {0, 0});
    limits.Level = saves::kMaxProgress;
    limits.Score = saves::kMaxProgress - 10;
    game.start(limits);
    solve();
    EXPECT_TRUE(game.endLevelIfOver());
    EXPECT_EQ(levelAndScore(), std::pair(saves::kMaxProgress, saves::kMaxProgress));

    auto largest = medium(false, {0, 0}, true);
    largest.NumberOfNodes = core::kMaxNodes;
    game.start(largest);
    EXPECT_EQ(game.board().size(), std::size_t{core::kMaxNodes});
}

TEST_F(GameModel, CirclesMoveOnWholePointsInTheDragAreaOnlyWhileTheLevelIsInPlay) {
    game.start(medium(false, {0, 0}));
    const std::pair<core::Point, core::Point> moves[] = {
        {{600, 900}, {305, 465}},         // the right and bottom edges
        {{-200, -200}, {33, 15}},         // beside the heads-up display, and the top edge
        {{250.4f, 120.6f}, {250, 121}},   // between points, where links could cross by rounding
        {{32.5f, 464.5f}, {33, 465}},
    };
    for (const auto& [wanted, lands] : moves) EXPECT_EQ(game.moveCircle(0, wanted), lands);

    // Left for the menu, the game takes no move and ends no level, even one a move had solved.
    game.moveCircle(1, {100, 100});
    game.quit();
    EXPECT_FALSE(game.isInGame());
    EXPECT_EQ(game.moveCircle(0, {300, 100}), (core::Point{33, 465}));
    game.moveCircle(2, {150, 300});
    EXPECT_FALSE(game.endLevelIfOver());
    tick(2);
    EXPECT_EQ(time(), (ClockTime{0, 0}));
    // The next game starts clean.
    game.start(newGame(core::kDifficulties[0], false));
    EXPECT_TRUE(game.isLevelInPlay());
    EXPECT_EQ(levelAndScore(), std::pair(1, 0));
    tick(1);
    EXPECT_EQ(time(), (ClockTime{0, 1}));
}

} // namespace
} // namespace game

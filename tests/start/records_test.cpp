// Records through the program: a won level's time and record on its panel,
// the records panel, a restart of the program, and a damaged records file.
#include "start_screen_fixture.h"

#include <algorithm>
#include <fstream>

namespace testkit {
namespace {

namespace fs = std::filesystem;

class RecordsTest : public ::testing::Test {
protected:
    // One run of the program over the test's folder.
    struct Run {
        explicit Run(RecordsTest& test) : delegate(test.random, test.folder) {}

        start::StartView& start() { return *delegate.startView(); }
        game::MainView& game() { return *start().mainView(); }
        void choose(const ui::View& view, double wait = 1.0) {
            h.tap(middleOf(view));
            h.advance(wait);
        }
        bool shows(const std::string& text) {
            const auto texts = h.render().textStrings();
            return std::find(texts.begin(), texts.end(), text) != texts.end();
        }
        // From the main menu, a new "Easy" game in Single Player, won after `seconds`; answers the time it took.
        std::string win(double seconds) {
            choose(*start().mainMenu().labels().at(0));
            choose(*start().gameModeMenu().labels().at(0));
            choose(*start().difficultyMenu().labels().at(0), 0.8);
            h.advance(seconds);
            solveByDragging(h, game());
            h.advance(1.2);
            return game::clockText(game().game().clock().time());
        }
        void quitToMainMenu() { choose(*game().label5(), 2.0); }

        app::LirvoAppDelegate delegate;
        Harness h{delegate};
    };

    ScriptedRandom random{1'700'000'000};
    TempFolder saveFolder;
    saves::SaveFolder folder{saveFolder.path()};
};

TEST_F(RecordsTest, AWonLevelShowsItsTimeAndRecordAndTheRecordsPanelListsThemAfterARestart) {
    std::string best;
    {
        Run run(*this);
        run.choose(run.start(), 0.9); // the intro skipped
        // Another copy of the game keeps a record meanwhile: both are kept.
        saves::PersonalBests other;
        other.games[{"Hard", true}] = {2, 25};
        ASSERT_TRUE(folder.writeBests(other));
        best = run.win(5);
        EXPECT_TRUE(run.shows("Time " + best + " \u00b7 New record!"));
        EXPECT_EQ(folder.readBests().bests.games.size(), 2u);
        run.quitToMainMenu();
        const std::string slower = run.win(20);
        EXPECT_TRUE(run.shows("Time " + slower + " \u00b7 Record " + best)) << slower;
        run.quitToMainMenu();
        // The other copy wins this board faster: the next win here is judged against that.
        other.times[{7, false}] = 1;
        ASSERT_TRUE(folder.writeBests(other));
        best = "00:01";
        EXPECT_TRUE(run.shows("Time " + run.win(3) + " \u00b7 Record " + best));
        run.quitToMainMenu();
    }
    // Kept meanwhile: Time Trial times of four sizes, of which the three largest are listed.
    saves::PersonalBests kept = folder.readBests().bests;
    for (const std::int32_t circles : {11, 12, 13, 14}) kept.times[{circles, true}] = 30;
    ASSERT_TRUE(folder.writeBests(kept));
    Run again(*this);
    again.choose(again.start(), 0.9);
    again.choose(*again.start().mainMenu().labels().at(5), 1.45); // "Records"
    for (const std::string& text : {std::string("Records"), std::string("7 circles"), best, std::string("12 circles")})
        EXPECT_TRUE(again.shows(text)) << text;
    EXPECT_FALSE(again.shows("11 circles"));
    // "Easy" in Single Player: the furthest level, the best score.
    const auto texts = again.h.render().textStrings();
    const auto easy = std::find(texts.begin(), texts.end(), "Easy");
    ASSERT_GE(texts.end() - easy, 3);
    EXPECT_EQ(std::vector(easy, easy + 3), (std::vector<std::string>{"Easy", "2", "10"}));
    again.h.pressKey(ui::Key::Escape);
    again.h.advance(1.0);
    EXPECT_FALSE(again.shows(best));
}

TEST_F(RecordsTest, ADamagedRecordsFileIsSetAsideOrLeftAloneToldOnceAndNewRecordsStart) {
    const std::string damaged = "<plist><dict><key>Games</key>";
    std::ofstream(folder.bestsFile()) << damaged;
    Run run(*this);
    ASSERT_NE(run.h.alert(), nullptr);
    EXPECT_EQ(run.h.alert()->message(),
              "The records could not be read and are kept aside as \"records (damaged).xml\". "
              "New records start.");
    run.h.dismissAlert();
    std::ifstream aside(saveFolder.path() / "records (damaged).xml");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aside), {}), damaged);

    run.choose(run.start(), 0.9);
    const std::string time = run.win(3);
    EXPECT_TRUE(run.shows("Time " + time + " \u00b7 New record!"));
    EXPECT_EQ(run.h.alert(), nullptr);
    EXPECT_EQ(folder.readBests().bests, run.game().records().bests());

    // With no name left to set them aside under, damaged records stay as
    // they are: told once, never written over by the records of this run.
    for (int number = 2; number <= 1000; ++number) {
        std::ofstream(saveFolder.path() / ("records (damaged) (" + std::to_string(number) + ").xml"));
    }
    std::ofstream(folder.bestsFile()) << damaged;
    Run stuck(*this);
    ASSERT_NE(stuck.h.alert(), nullptr);
    stuck.h.dismissAlert();
    stuck.choose(stuck.start(), 0.9);
    for (const int seconds : {3, 2}) {
        stuck.win(seconds);
        EXPECT_EQ(stuck.h.alert(), nullptr);
        stuck.quitToMainMenu();
    }
    std::ifstream still(folder.bestsFile());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(still), {}), damaged);
}

} // namespace
} // namespace testkit

#pragma once

#include "core/random_source.h"
#include "game/model/game.h"
#include "game/model/records.h"
#include "platform/view.h"
#include "saves/file_name.h"
#include "saves/own_saves.h"
#include "saves/record.h"
#include "saves/save_store.h"
#include "widgets/label_container.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class ImageView;
class Label;
class Timer;
} // namespace ui

namespace widgets {
class UICustomLabel;
}

namespace game {

class Nod;

// The game screen: the view of one game. It draws the game's board and its
// links, shows its level, score and clock in the heads-up display along the
// top edge (in landscape), hands the player's drags and the clock's ticks to
// the game, and runs the in-game options menu and the end-of-level panel. It
// saves the game into `saves`.
class MainView : public ui::View, public widgets::LabelContainer {
public:
    MainView(ui::Rect frame, core::RandomSource& random, saves::SaveStore& saves);
    ~MainView() override;

    // Starts a game on this screen from a record (see Game::start) and shows
    // it, its clock running. A saved level still in play shows "00:00" on
    // its clock until the first tick; any other level shows its time at once.
    void StartGame(const saves::SavedGameRecord& game);

    // The game in progress.
    const Game& game() const { return game_; }
    // The player's records: those this run found kept, and its own wins.
    const Records& records() const { return records_; }
    // Takes in the records kept in the store, then counts a level won
    // (`thenCount`), and keeps there those of this run that beat them: a
    // level won before a slow store answered, or while another copy of the
    // game (another tab) kept records of its own. Kept records that cannot
    // be read are told.
    void syncRecords(std::function<void()> thenCount = {});
    std::int32_t getLevel() const { return game_.progress().lvl; }
    std::int32_t getCurrentScore() const { return game_.progress().currentScore; }
    std::int32_t getMinutes() const { return game_.clock().time().min; }
    std::int32_t getSeconds() const { return game_.clock().time().sec; }
    bool getIsInGame() const { return game_.isInGame(); }

    // Lays the game's board out anew: a circle for each node, in place of the last board's.
    void RestartGame();
    const std::vector<std::shared_ptr<Nod>>& collection() const { return collection_; }

    // Whether the level is over: solved, or a Time Trial out of time. Changes nothing.
    bool isGameEnded() const { return game_.status() != Status::Playing; }
    // Ends the level if it is over, once: the heads-up display counts it and
    // the end-of-level panel opens over the frozen circles.
    void GameEnded();
    void NextLevel() override;
    void RestartSameLevel();
    void goToStartMenu();

    // The options menu and the end-of-level panel.
    // The player has gone away (the window is out of sight): a level in play
    // waits under the options menu, its clock stopped, until they come back.
    void pauseWhileAway();
    void AnimateInGameMenuOut();
    void tapOnRestart() override;
    void tapOnQuit() override;
    void tapOnLoad() override;

    // Saving: on request, confirmed by an alert once the save is kept, or
    // told as failed; and when the program ends or may end, answering whether
    // the save was kept. A game keeps one automatic save, its latest.
    void SaveGame() override;
    void SaveOnExit(saves::SaveStore::Reply<core::Result<>> reply);

    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;
    // Escape does what a double tap does.
    bool keyPressed(ui::Key key) override;
    void drawRect(ui::Canvas& canvas, ui::Rect rect) override;
    // A finger holds `nod` from `startDragging`, which answers false when
    // the level takes no moves, to `stopDragging`. Meanwhile the circle lies
    // above the others and its links are drawn apart from the rest of the
    // board, whose drawing is kept while they move.
    bool startDragging(const Nod& nod);
    // Moves a held circle toward `centre`, as far as the game lets it go.
    void dragCircle(const Nod& nod, ui::Point centre);
    void stopDragging(const Nod& nod);

    // The screen's views.
    const std::shared_ptr<ui::Label>& dlevelLabel() const { return dlevelLabel_; }
    const std::shared_ptr<ui::Label>& dscoreLabel() const { return dscoreLabel_; }
    const std::shared_ptr<ui::Label>& dtimeLabel() const { return dtimeLabel_; }
    const std::shared_ptr<ui::ImageView>& inGameMenu() const { return inGameMenu_; }
    const std::shared_ptr<widgets::UICustomLabel>& label1() const { return label1_; }
    const std::shared_ptr<widgets::UICustomLabel>& label2() const { return label2_; }
    const std::shared_ptr<widgets::UICustomLabel>& label3() const { return label3_; }
    const std::shared_ptr<widgets::UICustomLabel>& label4() const { return label4_; }
    const std::shared_ptr<widgets::UICustomLabel>& label5() const { return label5_; }
    // The won level's time and record, under the end-of-level panel's entries.
    const std::shared_ptr<ui::Label>& levelTimeLabel() const { return levelTimeLabel_; }

private:
    void updateBar();
    // One second of the clock.
    void timerAction();
    void AnimateInGameMenuIn();
    void inGameMenuInFinished();
    void inGameMenuOutFinished();
    // Opens the options menu, or closes whichever menu shows; a level found over ends instead.
    void toggleOptionsMenu();
    void makeMenuLabels();
    // Counts a won level in the records, keeps them if they changed, and shows its time.
    void countWin();
    void makeHeadsUpDisplay();
    void openOptionsMenu();
    // The labels of the menu or panel, which fade in over its image.
    std::vector<std::shared_ptr<ui::View>> menuLabels() const;
    // The menu layer, bottom to top: blur, menu image, the labels.
    std::vector<std::shared_ptr<ui::View>> overlays() const;
    // The level's end as the heads-up display and the panel show it.
    void showLevelEnded();
    // The new level's board, its time, and the clock's one-second tick from now.
    void showNewLevel();
    void showTime(ClockTime time);
    void startTimer();
    void resumeTimer();
    void tickOnBeat();
    void stopTimer();
    void clearBoard();
    // Keeps the game as a saved game of this kind, and answers whether it was kept.
    void save(saves::SaveKind kind, saves::SaveStore::Reply<core::Result<>> reply);
    bool isDragged(std::size_t node) const;
    // Marks for a redraw in `layer` (this screen or the dragged links) the
    // pixels of every link drawn to `node`, were it at `at`.
    void linksNeedDisplay(ui::View& layer, std::size_t node, core::Point at);
    // The links of the board (`dragged`: only those of circles held by a
    // finger; otherwise only the others).
    void drawLinks(ui::Canvas& canvas, bool dragged) const;

    core::RandomSource& random_;
    saves::SaveStore& saves_;
    saves::OwnSaves ownSaves_;

    std::shared_ptr<ui::Label> levelLabel_, scoreLabel_, gtimeLabel_, infoLabel_;
    std::shared_ptr<ui::Label> dlevelLabel_, dscoreLabel_, dtimeLabel_;

    Game game_;
    std::shared_ptr<ui::Timer> timer_;
    double beat_ = 0; // when the clock's seconds start
    std::shared_ptr<ui::ImageView> inGameMenu_, blurImage_;
    std::shared_ptr<widgets::UICustomLabel> label1_, label2_, label3_, label4_, label5_;
    std::shared_ptr<ui::Label> levelTimeLabel_;
    Records records_;
    // Panels shown on the menu so far: a win's time is told only on its own.
    int panelsShown_ = 0;
    // Records that cannot be read, or written, are told once: the game goes on without them.
    bool toldRecordsUnread_ = false;
    bool toldRecordsUnkept_ = false;
    std::vector<std::shared_ptr<Nod>> collection_;
    std::vector<std::size_t> dragged_; // the circles held, once for each finger
    // Over the board's own drawing and under the circles: the links of the circles being dragged.
    std::shared_ptr<ui::View> draggedLinks_;
};

} // namespace game

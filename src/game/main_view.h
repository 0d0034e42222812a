#pragma once

#include "core/board.h"
#include "core/difficulty.h"
#include "core/random_source.h"
#include "game/model/game.h"
#include "platform/view.h"
#include "saves/file_name.h"
#include "saves/own_saves.h"
#include "saves/record.h"
#include "saves/save_store.h"
#include "widgets/label_container.h"

#include <cstdint>
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

// The game screen: the board and its links, the heads-up display along the
// top edge (in landscape), the clock, the in-game options menu and the
// end-of-level panel, and the state of the game in progress, which it saves
// into `saves`.
class MainView : public ui::View, public widgets::LabelContainer {
public:
    MainView(ui::Rect frame, core::RandomSource& random, saves::SaveStore& saves);
    ~MainView() override;

    // Starts a game on this screen from its settings: a saved game's record,
    // or newGame's for a new one (no board, level not ended), which is dealt
    // a new board and shows its clock at once. A saved level still in play
    // goes on with its board, its clock showing "00:00" until the first tick;
    // one that had ended goes on to the next level, or, lost on time, plays
    // its level again.
    void StartGame(const saves::SavedGameRecord& game);

    // The game in progress.
    std::int32_t getScoreInc() const { return scorInc; }
    std::int32_t getLevel() const { return lvl; }
    std::int32_t getCurrentScore() const { return currentScore; }
    std::int32_t getMinutes() const { return min; }
    std::int32_t getSeconds() const { return sec; }
    void setMinutes(std::int32_t minutes, std::int32_t seconds) {
        min = minutes;
        sec = seconds;
    }
    bool getTrialTime() const { return ttime; }
    bool getDead() const { return dead; }
    const std::string& getDifficulty() const { return difficulty; }
    bool getIsInGame() const { return isInGame; }

    // The board: a new random one of the level's number of nodes, or the one the
    // lists describe. A description that cannot be built leaves the board
    // as it was and answers false.
    bool RestartGame(const std::vector<std::int32_t>& xNodes, const std::vector<std::int32_t>& yNodes,
                     const std::vector<std::vector<std::int32_t>>& links, bool fromSavedGame);
    const std::vector<std::shared_ptr<Nod>>& collection() const { return collection_; }

    // Whether the level is over: solved, or a Time Trial out of time. Stops the clock when it is.
    bool isGameEnded();
    // In a game on the screen, asks isGameEnded; the first time it answers yes, the level ends: its panel
    // opens and the circles freeze.
    bool endLevelIfOver();
    void GameEnded();
    void updateBar();
    void NextLevel() override;
    void RestartSameLevel();
    void goToStartMenu();

    // The clock.
    void timerAction();
    const std::shared_ptr<ui::Timer>& timer() const { return timer_; }

    // The options menu and the end-of-level panel.
    void AnimateInGameMenuIn();
    // The player has gone away (the window is out of sight): a level in play
    // waits under the options menu, its clock stopped, until they come back.
    void pauseWhileAway();
    void AnimateInGameMenuOut();
    void inGameMenuInFinished();
    void inGameMenuOutFinished();
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
    // A finger holds `nod` from `startDragging` to `stopDragging`. Meanwhile
    // its links are drawn apart from the rest of the board, whose drawing is
    // kept while they move.
    void startDragging(const Nod& nod);
    void stopDragging(const Nod& nod);
    // Marks for a redraw the pixels of every link drawn to `nod`, as they lie now.
    void linksNeedDisplay(const Nod& nod);

    // The screen's views.
    const std::shared_ptr<ui::Label>& levelLabel() const { return levelLabel_; }
    const std::shared_ptr<ui::Label>& scoreLabel() const { return scoreLabel_; }
    const std::shared_ptr<ui::Label>& gtimeLabel() const { return gtimeLabel_; }
    const std::shared_ptr<ui::Label>& infoLabel() const { return infoLabel_; }
    const std::shared_ptr<ui::Label>& dlevelLabel() const { return dlevelLabel_; }
    const std::shared_ptr<ui::Label>& dscoreLabel() const { return dscoreLabel_; }
    const std::shared_ptr<ui::Label>& dtimeLabel() const { return dtimeLabel_; }
    const std::shared_ptr<ui::ImageView>& inGameMenu() const { return inGameMenu_; }
    const std::shared_ptr<ui::ImageView>& blurImage() const { return blurImage_; }
    const std::shared_ptr<widgets::UICustomLabel>& label1() const { return label1_; }
    const std::shared_ptr<widgets::UICustomLabel>& label2() const { return label2_; }
    const std::shared_ptr<widgets::UICustomLabel>& label3() const { return label3_; }
    const std::shared_ptr<widgets::UICustomLabel>& label4() const { return label4_; }
    const std::shared_ptr<widgets::UICustomLabel>& label5() const { return label5_; }

private:
    // Opens the options menu, or closes whichever menu shows; a level found over ends instead.
    void toggleOptionsMenu();
    void makeMenuLabels();
    void makeHeadsUpDisplay();
    void openOptionsMenu();
    std::vector<std::shared_ptr<widgets::UICustomLabel>> menuLabels() const;
    // The menu layer, bottom to top: blur, menu image, the five labels.
    std::vector<std::shared_ptr<ui::View>> overlays() const;
    // A Time Trial whose clock shows 0:00.
    bool isOutOfTime() const;
    // The time a level starts from (and "Restart" goes back to), and the clock set to it.
    void setLevelTime(std::int32_t minutes, std::int32_t seconds);
    // In Time Trial, the difficulty's own time becomes the level's.
    void useDifficultysTrialTime();
    // Schedules the one-second tick and keeps it as the clock's timer.
    void scheduleClock();
    // Shows a time in the clock's own format ("02:00", "00:60", "12:34").
    void showTime(std::int32_t minutes, std::int32_t seconds);
    void stopClock();
    void restartClock();
    void clearBoard();
    core::Board currentBoard() const;
    // Keeps the game as a saved game of this kind, and answers whether it was kept.
    void save(saves::SaveKind kind, saves::SaveStore::Reply<core::Result<>> reply);
    void addBoard(const core::Board& board);
    bool isDragged(const Nod& nod) const;
    // The links of the board (`dragged`: only those of circles held by a
    // finger; otherwise only the others).
    void drawLinks(ui::Canvas& canvas, bool dragged) const;

    core::RandomSource& random_;
    saves::SaveStore& saves_;
    saves::OwnSaves ownSaves_;

    std::shared_ptr<ui::Label> levelLabel_, scoreLabel_, gtimeLabel_, infoLabel_;
    std::shared_ptr<ui::Label> dlevelLabel_, dscoreLabel_, dtimeLabel_;

    std::int32_t nrNoduri = 0;
    std::int32_t scorInc = 0;
    std::int32_t lvl = 1;
    std::int32_t currentScore = 0;
    std::int32_t min = 0;
    std::int32_t sec = 0;
    std::int32_t initialMinutes = 0;
    std::int32_t initialSeconds = 0;
    bool ttime = false;
    bool dead = false;
    bool paused = false;

    std::shared_ptr<ui::Timer> timer_;
    std::shared_ptr<ui::ImageView> inGameMenu_, blurImage_;
    std::shared_ptr<widgets::UICustomLabel> label1_, label2_, label3_, label4_, label5_;
    std::string difficulty;
    bool isInGame = false;

    std::vector<std::shared_ptr<Nod>> collection_;
    std::vector<const Nod*> dragged_; // once for each finger on a circle
    // Over the board's own drawing and under the circles: the links of the circles being dragged.
    std::shared_ptr<ui::View> draggedLinks_;
    // Before the first board there is none, and only the background is drawn.
    bool hasBoard_ = false;
};

} // namespace game

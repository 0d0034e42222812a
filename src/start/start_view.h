#pragma once

#include "core/random_source.h"
#include "game/game_host.h"
#include "saves/save_store.h"
#include "start/menu.h"
#include "widgets/label_container.h"
#include "widgets/ui_custom_scroll_view.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {
class ImageView;
class TextView;
} // namespace ui

namespace widgets {
class UICustomLabel;
}

namespace game {
class MainView;
}

namespace start {

class RecordsTable;

// The root of everything the player sees: the intro, the three menus, the
// credits, tutorial, records and load panels, and the one game screen it holds.
class StartView : public game::GameHost, public widgets::LabelContainer, public widgets::SavedGameHolder {
public:
    StartView(ui::Rect frame, core::RandomSource& random, saves::SaveStore& saves);
    ~StartView() override;

    const std::shared_ptr<game::MainView>& mainView() const { return mainView_; }
    const std::shared_ptr<ui::ImageView>& img() const { return img_; }
    bool getInGameLoad() const { return inGameLoad_; }
    void setInGameLoad(bool fromGame) { inGameLoad_ = fromGame; }

    // Escape goes back: it closes a panel, leaves a menu for the one before, or is the game's.
    // The saved-game list, open, has keys of its own.
    bool keyPressed(ui::Key key) override;
    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;

    // The menus.
    void menuAnimation() override;
    void AnimateMenuOut() override;
    void tapNewGame() override;
    void tapTimeTrialGame() override;
    void menu114Animation() override;
    void menu13Animation() override;

    // A new game of the difficulty of that name, in the mode chosen.
    void startNewGame(const std::string& difficulty) override;

    // The panels.
    void tapOnCredits() override;
    void tapOnTutorial() override;
    void tapOnRecords() override;
    void AnimateCreditsMenuOut() override;

    // The saved-game list and loading.
    void tapOnLoad() override;
    void tapOnLoadFromGame() override;
    void loadData(const std::string& name) override;
    void deleteData(const std::string& name) override;

    // The views, for whoever needs to find them on the screen.
    const Menu& mainMenu() const { return mainMenu_; }
    const Menu& gameModeMenu() const { return gameModeMenu_; }
    const Menu& difficultyMenu() const { return difficultyMenu_; }
    const std::shared_ptr<widgets::UICustomLabel>& menuTitle() const { return menu_titlu_; }
    const std::shared_ptr<ui::ImageView>& panelCover() const { return blurImage_; }
    const std::shared_ptr<ui::ImageView>& panelBackdrop() const { return menuImage_; }
    const std::shared_ptr<widgets::UICustomLabel>& panelTitle() const { return label1_; }
    const std::shared_ptr<widgets::UICustomLabel>& panelExit() const { return label2_; }
    const std::shared_ptr<ui::TextView>& textView() const { return textView_; }
    const std::shared_ptr<widgets::UICustomScrollView>& scrollView() const { return scrollView_; }

private:
    // The intro: three pictures fading in and out.
    void fadeIn1Done();
    void fadeOut1Done();
    void fadeIn2Done();
    void fadeOut2Done();
    void fadeIn3Done();
    // Any key or click ends the intro at once, as its last fade would.
    void skipIntro();
    // The menus, the panels and the saved-game list coming and going.
    void menu1Out();
    void animateGameTypeMenu();
    void menu11Out();
    void AnimateGameView();
    void AnimateCreditsMenuIn();
    void creditsMenuInFinished();
    void creditsOutFinished();
    void showSavedGamesInScrollView();
    void showSavedGames(saves::Listing listing);
    void AnimateLoadMenuIn();
    void loadMenuInFinished();
    void AnimateLoadMenuOut();
    void load(const std::string& name, const core::Result<saves::SavedGameRecord>& read);
    void showIntroImage(const char* name);
    void fadeLogo(float alpha, void (StartView::*next)());
    void introFadeDone();
    void resetDifficultyMenu();
    void openTextPanel(const char* title, const char* id, const char* text);
    // Puts the panel's cover and backdrop on top, its title named `title`, ready to flip in.
    void coverWithPanel(const char* title, const char* id);
    void recordsMenuInFinished();
    void openLoadPanel(bool fromGame);
    void flipPanelIn(void (StartView::*contentIn)());
    void bringPanelContentIn(const std::shared_ptr<ui::View>& content);
    void showGame();
    void showMenuTitle(const char* text);
    // Brings `menu` in under the title `title`.
    void slideMenuIn(Menu& menu, const char* title);
    // Fades the title out and slides `menu` away; `next` runs once it is gone.
    void slideMenuOut(const Menu& menu, void (StartView::*next)());

    std::shared_ptr<ui::ImageView> backgr_;
    std::shared_ptr<ui::ImageView> img_;
    std::shared_ptr<game::MainView> mainView_;
    Menu mainMenu_;
    std::shared_ptr<widgets::UICustomLabel> menu_titlu_;
    Menu gameModeMenu_;
    Menu difficultyMenu_;
    // The mode chosen on the way to the difficulties.
    bool timeTrial_ = false;
    std::shared_ptr<ui::TextView> textView_;
    std::shared_ptr<RecordsTable> recordsTable_;
    std::shared_ptr<ui::ImageView> blurImage_;
    std::shared_ptr<ui::ImageView> menuImage_;
    std::shared_ptr<widgets::UICustomLabel> label1_;
    std::shared_ptr<widgets::UICustomLabel> label2_;
    std::shared_ptr<widgets::UICustomScrollView> scrollView_;
    saves::SaveStore& saves_;
    bool inGameLoad_ = false;
    // The step that follows the intro's running fade; none once the intro is over.
    void (StartView::*introNext_)() = nullptr;
};

} // namespace start

#pragma once

#include <string>

namespace widgets {

// The operations that a tapped command label sends to the view that contains
// it. A container answers those it has; the others do nothing.
class LabelContainer {
public:
    virtual ~LabelContainer() = default;

    // The start screen's menus and panels.
    virtual void AnimateMenuOut() {}
    virtual void tapOnLoad() {}
    virtual void tapOnCredits() {}
    virtual void tapOnTutorial() {}
    virtual void tapOnRecords() {}
    virtual void tapNewGame() {}
    virtual void tapTimeTrialGame() {}
    virtual void menu114Animation() {}
    virtual void menu13Animation() {}
    // The difficulty menu: the name of the tapped difficulty.
    virtual void startNewGame(const std::string& /*difficulty*/) {}
    virtual void AnimateCreditsMenuOut() {}
    // The game screen's options menu and end-of-level panel.
    virtual void tapOnRestart() {}
    virtual void tapOnQuit() {}
    virtual void NextLevel() {}
    virtual void SaveGame() {}
    // The saved-game list: the name of the tapped game.
    virtual void loadScrollData(const std::string& /*name*/) {}
};

} // namespace widgets

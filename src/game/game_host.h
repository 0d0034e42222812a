#pragma once

#include "platform/view.h"

#include <string>

namespace game {

// The screen the game screen lives on: where the game goes back to when the
// player quits, and where the saved-game list opens over a game.
class GameHost : public ui::View {
public:
    using View::View;

    // Brings the main menu back in; runs when the flip back from the game has stopped.
    virtual void menuAnimation() = 0;
    // Opens the saved-game list over the game.
    virtual void tapOnLoadFromGame() = 0;
};

} // namespace game

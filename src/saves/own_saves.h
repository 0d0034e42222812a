#pragma once

#include "saves/file_name.h"

#include <string>

namespace saves {

// The names one game's saves were last kept under, one for each kind, so
// that a game's later save replaces its own and never another game's. A new
// board starts another game.
class OwnSaves {
public:
    void startAnotherGame() {
        ++game_;
        onRequest_.clear();
        atExit_.clear();
    }
    // Which game is saving now, for remember.
    int game() const { return game_; }
    const std::string& of(SaveKind kind) const { return kind == SaveKind::OnRequest ? onRequest_ : atExit_; }
    // A save of `game` was kept as `name`; an answer that comes after that
    // game gave way to another is not this game's.
    void remember(int game, SaveKind kind, std::string name) {
        if (game == game_) (kind == SaveKind::OnRequest ? onRequest_ : atExit_) = std::move(name);
    }

private:
    int game_ = 0;
    std::string onRequest_, atExit_;
};

} // namespace saves

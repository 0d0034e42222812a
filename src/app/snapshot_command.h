#pragma once

#include "app/options.h"
#include "saves/save_store.h"

#include <ostream>

namespace app {

// `lirvo --snapshot`: runs the game on the headless back end, where time is
// virtual, plays the --play script and draws the screen into the PNG file.
// The game is not ended, so nothing is saved unless the script saves it.
// Answers the program's exit status; problems are told on `errors`.
int takeSnapshot(const Options& options, saves::SaveStore& saves, std::ostream& errors);

} // namespace app

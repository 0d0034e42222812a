#include "core/board.h"
#include "core/difficulty.h"
#include "saves/entry_reader.h"
#include "saves/property_list.h"
#include "saves/record.h"

#include <cstdint>
#include <tuple>

namespace saves {

namespace {

// The checks of the values that the entries' types leave open: only values
// the game could have written, and that it can carry on from.
core::Result<> checkValues(const SavedGameRecord& r) {
    if (!core::difficultyNamed(r.Difficulty))
        return core::Failure{"The entry \"Difficulty\" is not Easy, Medium or Hard."};
    for (const auto& [what, value, low, high] :
         {std::tuple{"level", r.Level, 1, kMaxProgress}, std::tuple{"score", r.Score, 0, kMaxProgress},
          std::tuple{"score increment", r.ScoreInc, 0, kMaxProgress},
          std::tuple{"node count", r.NumberOfNodes, kMinNodes, core::kMaxNodes}}) {
        if (auto checked = within(what, value, low, high); !checked) return checked;
    }
    // A level resumes with its clock, which counts down from 0:60 at most, or up to kMaxMinutes:59.
    if (r.Minutes < 0 || r.Minutes > kMaxMinutes || r.Seconds < 0 || r.Seconds > (r.TimeTrial ? 60 : 59)) {
        return core::Failure{"The clock reads " + std::to_string(r.Minutes) + ":" + std::to_string(r.Seconds) +
                             ", which no clock shows."};
    }
    return {};
}

} // namespace

core::Result<SavedGameRecord> decodeRecord(const std::string& bytes) {
    const core::Result<PlistPtr> parsed = parsePropertyList(bytes);
    if (!parsed) return core::Failure{parsed.reason()};
    if (plist_get_node_type(parsed->get()) != PLIST_DICT) {
        return core::Failure{"The file holds no dictionary of entries, so it is not a saved game."};
    }
    EntryReader in(parsed->get());
    SavedGameRecord r;
    in.integer("ScoreInc", r.ScoreInc);
    in.text("Difficulty", r.Difficulty);
    in.integer("Level", r.Level);
    in.integer("Score", r.Score);
    in.boolean("TimeTrial", r.TimeTrial);
    in.integer("NumberOfNodes", r.NumberOfNodes);
    in.boolean("IsGameEnded", r.IsGameEnded);
    // Every level resumes its clock; Single Player files of old have none, and start at 0:00.
    in.integer("Minutes", r.Minutes, r.TimeTrial);
    in.integer("Seconds", r.Seconds, r.TimeTrial);
    // An ended level goes on with a new board: its own is neither needed nor checked against the count.
    core::BoardDescription board;
    in.integers("xNodes", board.xNodes, !r.IsGameEnded);
    in.integers("yNodes", board.yNodes, !r.IsGameEnded);
    in.integerLists("Links", board.Links, !r.IsGameEnded);
    if (in.failed()) return core::Failure{in.problem()};

    auto checked = checkValues(r);
    if (checked && !r.IsGameEnded) checked = core::checkDescription(board, r.NumberOfNodes);
    if (!checked) return core::Failure{checked.reason()};
    r.xNodes = std::move(board.xNodes);
    r.yNodes = std::move(board.yNodes);
    r.Links = std::move(board.Links);
    return r;
}

} // namespace saves

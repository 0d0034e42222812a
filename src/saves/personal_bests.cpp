#include "saves/personal_bests.h"

#include "core/board.h"
#include "core/difficulty.h"
#include "saves/entry_reader.h"
#include "saves/property_list.h"
#include "saves/record.h"

namespace saves {

namespace {

plist_t dictionary(std::initializer_list<std::pair<const char*, plist_t>> entries) {
    plist_t dict = plist_new_dict();
    for (const auto& [key, value] : entries) plist_dict_set_item(dict, key, value);
    return dict;
}

void readGame(EntryReader& in, PersonalBests& bests) {
    std::string difficulty;
    bool timeTrial = false;
    PersonalBests::Progress best;
    in.text("Difficulty", difficulty);
    in.boolean("TimeTrial", timeTrial);
    in.integer("Level", best.level);
    in.integer("Score", best.score);
    if (in.failed()) return;
    if (!core::difficultyNamed(difficulty)) return in.fail("Its \"Difficulty\" is not Easy, Medium or Hard.");
    for (auto checked : {within("level", best.level, 1, kMaxProgress), within("score", best.score, 0, kMaxProgress)}) {
        if (!checked) return in.fail(checked.reason());
    }
    bests.games[{difficulty, timeTrial}] = best;
}

void readTime(EntryReader& in, PersonalBests& bests) {
    std::int32_t circles = 0, seconds = 0;
    bool timeTrial = false;
    in.integer("NumberOfNodes", circles);
    in.boolean("TimeTrial", timeTrial);
    in.integer("Seconds", seconds);
    if (in.failed()) return;
    for (auto checked : {within("node count", circles, kMinNodes, core::kMaxNodes),
                         within("time", seconds, 0, kMaxMinutes * 60 + 59)}) {
        if (!checked) return in.fail(checked.reason());
    }
    bests.times[{circles, timeTrial}] = seconds;
}

} // namespace

std::string encodePersonalBests(const PersonalBests& bests) {
    plist_t games = plist_new_array();
    for (const auto& [kind, best] : bests.games) {
        plist_array_append_item(games, dictionary({{"Difficulty", plist_new_string(kind.first.c_str())},
                                                   {"TimeTrial", plist_new_bool(kind.second)},
                                                   {"Level", newInteger(best.level)},
                                                   {"Score", newInteger(best.score)}}));
    }
    plist_t times = plist_new_array();
    for (const auto& [kind, seconds] : bests.times) {
        plist_array_append_item(times, dictionary({{"NumberOfNodes", newInteger(kind.first)},
                                                   {"TimeTrial", plist_new_bool(kind.second)},
                                                   {"Seconds", newInteger(seconds)}}));
    }
    const PlistPtr root(dictionary({{"Games", games}, {"Times", times}}));
    return toXml(root.get());
}

core::Result<PersonalBests> decodePersonalBests(const std::string& bytes) {
    const core::Result<PlistPtr> parsed = parsePropertyList(bytes);
    if (!parsed) return core::Failure{parsed.reason()};
    if (plist_get_node_type(parsed->get()) != PLIST_DICT) return core::Failure{"The file holds no dictionary."};
    PersonalBests bests;
    EntryReader in(parsed->get());
    in.dictionaries("Games", [&](EntryReader& game) { readGame(game, bests); });
    in.dictionaries("Times", [&](EntryReader& time) { readTime(time, bests); });
    if (in.failed()) return core::Failure{in.problem()};
    return bests;
}

} // namespace saves

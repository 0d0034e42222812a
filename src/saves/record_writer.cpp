#include "saves/property_list.h"
#include "saves/record.h"

#include <cstdint>

namespace saves {

namespace {

plist_t integers(const std::vector<std::int32_t>& values) {
    plist_t list = plist_new_array();
    for (const std::int32_t value : values) plist_array_append_item(list, newInteger(value));
    return list;
}

} // namespace

std::string encodeRecord(const SavedGameRecord& record) {
    plist_t links = plist_new_array();
    for (const auto& nodeLinks : record.Links) plist_array_append_item(links, integers(nodeLinks));

    PlistPtr root(plist_new_dict());
    plist_t dict = root.get();
    plist_dict_set_item(dict, "ScoreInc", newInteger(record.ScoreInc));
    plist_dict_set_item(dict, "Difficulty", plist_new_string(record.Difficulty.c_str()));
    plist_dict_set_item(dict, "Level", newInteger(record.Level));
    plist_dict_set_item(dict, "Score", newInteger(record.Score));
    plist_dict_set_item(dict, "TimeTrial", plist_new_bool(record.TimeTrial));
    plist_dict_set_item(dict, "NumberOfNodes", newInteger(record.NumberOfNodes));
    plist_dict_set_item(dict, "xNodes", integers(record.xNodes));
    plist_dict_set_item(dict, "yNodes", integers(record.yNodes));
    plist_dict_set_item(dict, "Links", links);
    plist_dict_set_item(dict, "IsGameEnded", plist_new_bool(record.IsGameEnded));
    plist_dict_set_item(dict, "Minutes", newInteger(record.Minutes));
    plist_dict_set_item(dict, "Seconds", newInteger(record.Seconds));
    return toXml(dict);
}

} // namespace saves

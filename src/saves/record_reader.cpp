#include "core/board.h"
#include "core/difficulty.h"
#include "saves/property_list.h"
#include "saves/record.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <tuple>

namespace saves {

namespace {

std::string quoted(const std::string& key) { return "\"" + key + "\""; }
std::string entry(const std::string& key) { return "the entry " + quoted(key); }

// A sentence about the value `name` (a phrase such as "element 2 of the entry \"xNodes\"").
std::string sentence(std::string name, const char* predicate) {
    name.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
    return name + predicate;
}

// Reads the entries of a root dictionary one by one. The first fault is kept
// as the reason and every later read does nothing.
class EntryReader {
public:
    explicit EntryReader(plist_t dict) : dict_(dict) {}

    bool failed() const { return !problem_.empty(); }
    const std::string& problem() const { return problem_; }
    void fail(std::string problem) {
        if (!failed()) problem_ = std::move(problem);
    }

    // An entry left out when not `required` keeps the value it had.
    void integer(const char* key, std::int32_t& value, bool required = true) {
        if (plist_t node = find(key, required)) readInteger(node, entry(key), value);
    }

    void boolean(const char* key, bool& value) {
        plist_t node = find(key, true);
        if (!node) return;
        if (plist_get_node_type(node) != PLIST_BOOLEAN) return fail(sentence(entry(key), " is not true or false."));
        std::uint8_t raw = 0;
        plist_get_bool_val(node, &raw);
        value = raw != 0;
    }

    void text(const char* key, std::string& value) {
        plist_t node = find(key, true);
        if (!node) return;
        if (plist_get_node_type(node) != PLIST_STRING) return fail(sentence(entry(key), " is not a text."));
        std::uint64_t length = 0;
        const char* chars = plist_get_string_ptr(node, &length);
        value.assign(chars, static_cast<std::size_t>(length));
    }

    void integers(const char* key, std::vector<std::int32_t>& values, bool required) {
        if (plist_t list = find(key, required)) readIntegers(list, entry(key), values);
    }

    void integerLists(const char* key, std::vector<std::vector<std::int32_t>>& lists, bool required) {
        plist_t list = find(key, required);
        if (!list) return;
        if (plist_get_node_type(list) != PLIST_ARRAY) return fail(sentence(entry(key), " is not a list."));
        lists.resize(plist_array_get_size(list));
        for (std::uint32_t i = 0; i < lists.size() && !failed(); ++i) {
            readIntegers(plist_array_get_item(list, i), "list " + std::to_string(i) + " of " + quoted(key), lists[i]);
        }
    }

private:
    plist_t find(const char* key, bool required) {
        if (failed()) return nullptr;
        plist_t node = plist_dict_get_item(dict_, key);
        if (!node && required) fail(sentence(entry(key), " is missing."));
        return node;
    }

    void readIntegers(plist_t list, const std::string& name, std::vector<std::int32_t>& values) {
        if (plist_get_node_type(list) != PLIST_ARRAY) return fail(sentence(name, " is not a list."));
        values.resize(plist_array_get_size(list));
        for (std::uint32_t i = 0; i < values.size() && !failed(); ++i) {
            readInteger(plist_array_get_item(list, i), "element " + std::to_string(i) + " of " + name, values[i]);
        }
    }

    void readInteger(plist_t node, const std::string& name, std::int32_t& value) {
        if (plist_get_node_type(node) != PLIST_UINT) return fail(sentence(name, " is not a whole number."));
        std::uint64_t raw = 0;
        plist_get_uint_val(node, &raw);
        // libplist keeps the low 64 bits of a wider number (a binary list may
        // hold 128-bit ones) but still tells it from a 64-bit node of those bits.
        const PlistPtr narrow(plist_new_uint(raw));
        const auto wide = static_cast<std::int64_t>(raw);
        if (!plist_compare_node_value(node, narrow.get()) || wide < std::numeric_limits<std::int32_t>::min() ||
            wide > std::numeric_limits<std::int32_t>::max()) {
            return fail(sentence(name, " does not fit in 32 bits."));
        }
        value = static_cast<std::int32_t>(wide);
    }

    plist_t dict_;
    std::string problem_;
};

// Whether `value`, the record's `what`, lies within [low, high].
core::Result<> within(const char* what, std::int32_t value, std::int32_t low, std::int32_t high) {
    const auto says = [&](const char* relation, std::int32_t bound) {
        return core::Failure{std::string("The ") + what + " " + std::to_string(value) + relation +
                             std::to_string(bound) + "."};
    };
    if (value < low) return says(" is below ", low);
    if (value > high) return says(" is more than ", high);
    return {};
}

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
    // The clock a Time Trial resumes with counts down from 0:60 at most.
    if (r.TimeTrial && (r.Minutes < 0 || r.Seconds < 0 || r.Seconds > 60)) {
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
    // Only a Time Trial resumes its clock.
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

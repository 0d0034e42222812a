#include "saves/entry_reader.h"

#include "saves/property_list.h"

#include <cctype>
#include <limits>

namespace saves {

namespace {

std::string quoted(const std::string& key) { return "\"" + key + "\""; }
std::string entry(const std::string& key) { return "the entry " + quoted(key); }

// A sentence about the value `name` (a phrase such as "element 2 of the entry \"xNodes\"").
std::string sentence(std::string name, const char* predicate) {
    name.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
    return name + predicate;
}

} // namespace

core::Result<> within(const char* what, std::int32_t value, std::int32_t low, std::int32_t high) {
    const auto says = [&](const char* relation, std::int32_t bound) {
        return core::Failure{std::string("The ") + what + " " + std::to_string(value) + relation +
                             std::to_string(bound) + "."};
    };
    if (value < low) return says(" is below ", low);
    if (value > high) return says(" is more than ", high);
    return {};
}

void EntryReader::fail(std::string problem) {
    if (!failed()) problem_ = std::move(problem);
}

void EntryReader::integer(const char* key, std::int32_t& value, bool required) {
    if (plist_t node = find(key, required)) readInteger(node, entry(key), value);
}

void EntryReader::boolean(const char* key, bool& value) {
    plist_t node = find(key, true);
    if (!node) return;
    if (plist_get_node_type(node) != PLIST_BOOLEAN) return fail(sentence(entry(key), " is not true or false."));
    std::uint8_t raw = 0;
    plist_get_bool_val(node, &raw);
    value = raw != 0;
}

void EntryReader::text(const char* key, std::string& value) {
    plist_t node = find(key, true);
    if (!node) return;
    if (plist_get_node_type(node) != PLIST_STRING) return fail(sentence(entry(key), " is not a text."));
    std::uint64_t length = 0;
    const char* chars = plist_get_string_ptr(node, &length);
    value.assign(chars, static_cast<std::size_t>(length));
}

void EntryReader::integers(const char* key, std::vector<std::int32_t>& values, bool required) {
    if (plist_t list = find(key, required)) readIntegers(list, entry(key), values);
}

void EntryReader::integerLists(const char* key, std::vector<std::vector<std::int32_t>>& lists, bool required) {
    plist_t list = find(key, required);
    if (!list) return;
    if (plist_get_node_type(list) != PLIST_ARRAY) return fail(sentence(entry(key), " is not a list."));
    lists.resize(plist_array_get_size(list));
    for (std::uint32_t i = 0; i < lists.size() && !failed(); ++i) {
        readIntegers(plist_array_get_item(list, i), "list " + std::to_string(i) + " of " + quoted(key), lists[i]);
    }
}

void EntryReader::dictionaries(const char* key, const std::function<void(EntryReader&)>& read) {
    plist_t list = find(key, true);
    if (!list) return;
    if (plist_get_node_type(list) != PLIST_ARRAY) return fail(sentence(entry(key), " is not a list."));
    for (std::uint32_t i = 0; i < plist_array_get_size(list) && !failed(); ++i) {
        plist_t element = plist_array_get_item(list, i);
        const std::string name = "element " + std::to_string(i) + " of " + entry(key);
        if (plist_get_node_type(element) != PLIST_DICT) return fail(sentence(name, " is not a dictionary."));
        EntryReader in(element);
        read(in);
        if (in.failed()) fail(sentence(name, ": ") + in.problem());
    }
}

plist_t EntryReader::find(const char* key, bool required) {
    if (failed()) return nullptr;
    plist_t node = plist_dict_get_item(dict_, key);
    if (!node && required) fail(sentence(entry(key), " is missing."));
    return node;
}

void EntryReader::readIntegers(plist_t list, const std::string& name, std::vector<std::int32_t>& values) {
    if (plist_get_node_type(list) != PLIST_ARRAY) return fail(sentence(name, " is not a list."));
    values.resize(plist_array_get_size(list));
    for (std::uint32_t i = 0; i < values.size() && !failed(); ++i) {
        readInteger(plist_array_get_item(list, i), "element " + std::to_string(i) + " of " + name, values[i]);
    }
}

void EntryReader::readInteger(plist_t node, const std::string& name, std::int32_t& value) {
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

} // namespace saves

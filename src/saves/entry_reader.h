#pragma once

#include "core/result.h"

#include <plist/plist.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace saves {

// Reads the entries of a property-list dictionary one by one, trusting
// nothing. The first fault is kept as the reason and every later read does
// nothing. A value is written only when its entry is there with its type.
class EntryReader {
public:
    explicit EntryReader(plist_t dict) : dict_(dict) {}

    bool failed() const { return !problem_.empty(); }
    const std::string& problem() const { return problem_; }
    void fail(std::string problem);

    // An entry left out when not `required` keeps the value it had.
    void integer(const char* key, std::int32_t& value, bool required = true);
    void boolean(const char* key, bool& value);
    void text(const char* key, std::string& value);
    void integers(const char* key, std::vector<std::int32_t>& values, bool required);
    void integerLists(const char* key, std::vector<std::vector<std::int32_t>>& lists, bool required);
    // Reads each element of the list `key`, a dictionary, with `read`.
    void dictionaries(const char* key, const std::function<void(EntryReader&)>& read);

private:
    plist_t find(const char* key, bool required);
    void readIntegers(plist_t list, const std::string& name, std::vector<std::int32_t>& values);
    void readInteger(plist_t node, const std::string& name, std::int32_t& value);

    plist_t dict_;
    std::string problem_;
};

// Whether `value`, the record's `what`, lies within [low, high]; if not, a sentence saying so.
core::Result<> within(const char* what, std::int32_t value, std::int32_t low, std::int32_t high);

} // namespace saves

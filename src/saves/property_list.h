#pragma once

#include <plist/plist.h>

#include <cstddef>
#include <memory>
#include <string>

namespace saves {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
// A libplist tree, freed with its owner.
using PlistPtr = std::unique_ptr<void, PlistFree>;

// No saved game comes near this size (a board of a hundred nodes takes about
// 15 KB of XML). The limit also keeps libplist 2.2 safe: it frees a tree
// recursively, and within this size XML cannot nest deep enough to exhaust
// the stack.
inline constexpr std::size_t kMaxFileSize = 64 * 1024;

struct ParsedPlist {
    PlistPtr root;
    std::string problem; // an English sentence; empty when root is set
};

// Parses bytes from outside in any encoding libplist reads, after refusing
// what libplist 2.2 would misread or could not survive.
ParsedPlist parsePropertyList(const std::string& bytes);

// The tree as an XML property list, version 1.0.
std::string toXml(plist_t root);

} // namespace saves

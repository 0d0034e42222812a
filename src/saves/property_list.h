#pragma once

#include "core/result.h"

#include <plist/plist.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace saves {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
// A libplist tree, freed with its owner.
using PlistPtr = std::unique_ptr<void, PlistFree>;

// The largest saved game the game writes, a board of core::kMaxNodes
// circles with two links each and the widest numbers, takes 500,720 bytes of
// XML; the limit leaves a little room above it and bounds what a file can
// make libplist allocate, and so how long it takes: a file of the limit full
// of keys the reader ignores reads in 30 ms (bench/load_panel_bench.cpp).
inline constexpr std::size_t kMaxFileSize = 512 * 1024;

// Whether a file of `size` bytes may be a saved game: none is empty or over kMaxFileSize.
core::Result<> checkFileSize(std::uintmax_t size);

// A saved game nests four deep (root, "Links", a node's list, an index).
// libplist 2.2 parses binary lists and frees every tree recursively, so a
// file nested deeper than this is refused before it could exhaust the stack.
inline constexpr std::size_t kMaxNesting = 32;

// Parses bytes from outside in any encoding libplist reads, XML with or
// without UTF-8's byte-order mark, after refusing what libplist 2.2 would
// misread or could not survive.
core::Result<PlistPtr> parsePropertyList(const std::string& bytes);

// An integer node. libplist 2.2 keeps every integer as 64 unsigned bits and
// writes them back as signed text, so a negative number widened with its
// sign reads back as itself in any reader.
inline plist_t newInteger(std::int32_t value) {
    return plist_new_uint(static_cast<std::uint64_t>(std::int64_t{value}));
}

// The tree as an XML property list, version 1.0.
std::string toXml(plist_t root);

} // namespace saves

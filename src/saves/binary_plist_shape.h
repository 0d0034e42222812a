#pragma once

#include "core/result.h"

#include <string>
#include <string_view>

namespace saves {

// libplist 2.2 parses a binary property list recursively and copies an object
// once for every reference to it, so a small file can nest deep enough to
// exhaust the stack or share lists until it expands to billions of nodes.
// This walks the file's object table without recursion and fails a file that
// must not be parsed: too deep, too large once expanded, a reference cycle,
// or a table that does not hold together.
core::Result<> checkBinaryShape(std::string_view bytes);

} // namespace saves

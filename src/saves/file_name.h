#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace saves {

// The two writers of saved games, told apart in the file name.
enum class SaveKind { OnRequest, AtExit };

// The locale the C library formats times in: the first of LC_ALL, LC_TIME
// and LANG that is set and not empty, else "C".
std::string timeLocaleFromEnvironment();

// `text` (UTF-8) with each "/" and control character, which cannot stand in
// a file name, turned into "-".
std::string fileNameSafe(std::string_view text);

// The moment `when` (seconds since 1970) in `locale` (a POSIX name such as
// "en_US.UTF-8"), medium date style and short time style, in the time zone
// `zone` (an Olson name; the system's own when empty), made fileNameSafe:
// some locales write "/" in dates. Everything else stays as the locale writes it.
std::string dateTimeText(std::int64_t when, const std::string& locale, const std::string& zone = {});

// The name a saved game is listed by, its file name less ".plist":
// "[" date-time "], LVL " or "]-auto, LVL ", the level, ", ", the difficulty,
// then ", TT" in Time Trial or ", SP".
std::string saveName(SaveKind kind, std::string_view dateTime, std::int32_t level, std::string_view difficulty,
                     bool timeTrial);

} // namespace saves

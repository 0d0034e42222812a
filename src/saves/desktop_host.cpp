// What the saves ask of the desktop: dates through ICU.
#include "saves/file_name.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>

namespace saves {

std::string timeLocaleFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "C";
}

namespace {

// ICU reads POSIX names ("de_DE.UTF-8@euro") once canonicalised, except the C
// locale, which it calls en_US_POSIX.
icu::Locale icuLocale(const std::string& posixName) {
    const std::string base = posixName.substr(0, posixName.find_first_of(".@"));
    if (base == "C" || base == "POSIX") return icu::Locale("en_US_POSIX");
    return icu::Locale::createCanonical(posixName.c_str());
}

} // namespace

std::string dateTimeText(std::int64_t when, const std::string& locale, const std::string& zone) {
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateTimeInstance(icu::DateFormat::kMedium, icu::DateFormat::kShort, icuLocale(locale)));
    if (!format) return "?"; // ICU without its data: the name still says level, difficulty and mode
    if (!zone.empty()) format->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zone)));
    icu::UnicodeString text;
    format->format(static_cast<UDate>(when) * 1000.0, text);
    std::string utf8;
    return fileNameSafe(text.toUTF8String(utf8));
}


} // namespace saves

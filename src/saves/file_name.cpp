#include "saves/file_name.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>
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

std::string fileNameSafe(std::string_view text) {
    const auto unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    icu::UnicodeString safe;
    for (int32_t i = 0; i < unicode.length(); i = unicode.moveIndex32(i, 1)) {
        const UChar32 c = unicode.char32At(i);
        safe.append(c == u'/' || u_charType(c) == U_CONTROL_CHAR ? UChar32{u'-'} : c);
    }
    std::string utf8;
    return safe.toUTF8String(utf8);
}

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

std::string saveName(SaveKind kind, std::string_view dateTime, std::int32_t level, std::string_view difficulty,
                     bool timeTrial) {
    std::string name = "[";
    name += dateTime;
    name += kind == SaveKind::OnRequest ? "], LVL " : "]-auto, LVL ";
    name += std::to_string(level);
    name += ", ";
    name += difficulty;
    name += timeTrial ? ", TT" : ", SP";
    return name;
}

} // namespace saves

// What the saves ask of the browser for dates: its Intl.
#include "saves/file_name.h"

#include <emscripten.h>

namespace saves {

namespace {

// Writes the text into `out` (at most `size` bytes with its ending zero) and
// answers its whole length, so that a caller can try again with room enough.
EM_JS(int, pageLanguage, (char* out, int size), {
    const language = document.documentElement.lang || navigator.language || 'en-US';
    stringToUTF8(language, out, size);
    return lengthBytesUTF8(language);
});

EM_JS(int, formatDateTime, (double when, const char* locale, const char* zone, char* out, int size), {
    const options = {dateStyle : 'medium', timeStyle : 'short'};
    if (HEAPU8[zone]) options.timeZone = UTF8ToString(zone);
    let text;
    try {
        text = new Intl.DateTimeFormat(UTF8ToString(locale), options).format(new Date(when * 1000));
    } catch (error) {
        // A locale or zone the browser does not know: its own.
        text = new Intl.DateTimeFormat(undefined, {dateStyle : 'medium', timeStyle : 'short'})
                   .format(new Date(when * 1000));
    }
    stringToUTF8(text, out, size);
    return lengthBytesUTF8(text);
});

template <class Fill>
std::string text(Fill fill) {
    std::string out(64, '\0');
    for (;;) {
        const int length = fill(out.data(), static_cast<int>(out.size()));
        if (length < static_cast<int>(out.size())) {
            out.resize(static_cast<std::size_t>(length));
            return out;
        }
        out.resize(static_cast<std::size_t>(length) + 1);
    }
}

// The browser names languages as BCP 47 does ("de-DE"); POSIX names ("de_DE.UTF-8@euro") are turned so.
std::string languageTag(const std::string& locale) {
    std::string tag = locale.substr(0, locale.find_first_of(".@"));
    if (tag == "C" || tag == "POSIX") return "en-US";
    for (char& c : tag) {
        if (c == '_') c = '-';
    }
    return tag;
}

} // namespace

std::string timeLocaleFromEnvironment() {
    return text([](char* out, int size) { return pageLanguage(out, size); });
}

std::string dateTimeText(std::int64_t when, const std::string& locale, const std::string& zone) {
    const std::string tag = languageTag(locale);
    return fileNameSafe(text([&](char* out, int size) {
        return formatDateTime(static_cast<double>(when), tag.c_str(), zone.c_str(), out, size);
    }));
}

} // namespace saves

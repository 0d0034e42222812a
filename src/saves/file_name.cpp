#include "saves/file_name.h"

namespace saves {

std::string fileNameSafe(std::string_view text) {
    // The control characters are U+0000 to U+001F, U+007F and U+0080 to U+009F,
    // the last of them written C2 80 to C2 9F in UTF-8.
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if (c == '/' || c < 0x20 || c == 0x7F || c1) {
            safe += '-';
            if (c1) ++i;
        } else {
            safe += static_cast<char>(c);
        }
    }
    return safe;
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

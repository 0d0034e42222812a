#include "saves/property_list.h"

#include "saves/binary_plist_shape.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <new>
#include <optional>
#include <string_view>

namespace saves {

namespace {

// A decimal whole number that fits in 64 bits, signed or not, with no
// leading zeros or blanks.
bool isPlainInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty() || (text.size() > 1 && text.front() == '0')) return false;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc{} || end != text.data() + text.size()) return false;
    return !negative || magnitude <= std::uint64_t{1} << 63;
}

// libplist 2.2 reads the text of an <integer> by rules of its own: after a
// "-" it takes an unsigned number and negates it modulo 2^64, clamped first,
// so -99999999999999999999 comes back as 1; and it accepts any C base, so
// 010 is eight where other readers see ten. The texts are checked before
// parsing, and any that is not a plain decimal of 64 bits refuses the file.
std::optional<std::string> checkIntegerTexts(std::string_view xml) {
    constexpr std::string_view tag = "<integer";
    for (auto at = xml.find(tag); at != std::string_view::npos; at = xml.find(tag, at + tag.size())) {
        const auto close = xml.find('>', at);
        if (close == std::string_view::npos) break; // unterminated: the parser refuses it
        if (xml[close - 1] == '/') continue;        // <integer/>: no text, the parser decides
        const auto start = close + 1;
        const auto end = std::min(xml.find('<', start), xml.size());
        if (!isPlainInteger(xml.substr(start, end - start))) {
            return std::string("The file holds a number that is not a whole decimal number of at most 64 bits.");
        }
    }
    return std::nullopt;
}

} // namespace

ParsedPlist parsePropertyList(const std::string& bytes) {
    if (bytes.empty()) return {nullptr, "The file is empty."};
    if (bytes.size() > kMaxFileSize) {
        return {nullptr, "The file is " + std::to_string(bytes.size()) + " bytes long, more than any saved game ("
                             + std::to_string(kMaxFileSize) + ")."};
    }
    const auto size = static_cast<std::uint32_t>(bytes.size());
    auto guard = plist_is_binary(bytes.data(), size) ? checkBinaryShape(bytes) : checkIntegerTexts(bytes);
    if (guard) return {nullptr, std::move(*guard)};
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), size, &root);
    if (!root) return {nullptr, "The file is not a readable property list: it is damaged or cut short."};
    return {PlistPtr(root), {}};
}

std::string toXml(plist_t root) {
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    if (!xml) throw std::bad_alloc(); // libplist fails only when memory runs out
    std::string text(xml, length);
    plist_to_xml_free(xml);
    return text;
}

} // namespace saves

#include "saves/property_list.h"

#include "saves/binary_plist_shape.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <new>
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

// Reads the tags of an XML property list as libplist 2.2 does, after which
// comments, CDATA sections, processing instructions and DOCTYPEs hide what
// they hold, and fails a file that must not be parsed.
//
// libplist frees a tree recursively, and at this file size XML could nest
// deep enough to exhaust the stack: lists and dictionaries may nest at most
// kMaxNesting deep.
//
// libplist reads the text of an <integer> by rules of its own: after a "-"
// it takes an unsigned number and negates it modulo 2^64, clamped first, so
// -99999999999999999999 comes back as 1; and it accepts any C base, so 010 is
// eight where other readers see ten. Any integer text that is not a plain
// decimal of 64 bits, all of it before the closing tag, refuses the file.
core::Result<> checkXml(std::string_view xml) {
    std::size_t depth = 0;
    std::size_t at = 0;
    // Moves past the first `end` from `from` on, where libplist looks for the
    // close of the markup at `at`; false when there is none (the parser refuses that).
    const auto skipPast = [&](std::size_t from, std::string_view end) {
        at = xml.find(end, from);
        return at != std::string_view::npos && (at += end.size(), true);
    };
    while ((at = xml.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = xml.substr(at);
        bool closed = true;
        if (rest.starts_with("<?")) {
            closed = skipPast(at + 1, "?>");
        } else if (rest.starts_with("<!--")) {
            closed = skipPast(at + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            closed = skipPast(at + 9, "]]>");
        } else if (rest.starts_with("<!")) { // a DOCTYPE, its declarations in [...] if it has any
            const auto bracket = xml.find_first_of("[>", at);
            closed = bracket != std::string_view::npos && skipPast(bracket, xml[bracket] == '[' ? "]>" : ">");
        } else {
            const auto close = rest.find('>');
            if (close == std::string_view::npos) break;
            const std::string_view tag = rest.substr(1, std::min(rest.find_first_of(" \t\r\n/>", 2), close) - 1);
            const bool empty = rest[close - 1] == '/';
            at += close + 1;
            if ((tag == "array" || tag == "dict") && !empty && ++depth > kMaxNesting) {
                return core::Failure{"The file nests lists more than " + std::to_string(kMaxNesting) + " deep."};
            }
            if ((tag == "/array" || tag == "/dict") && depth > 0) --depth;
            if (tag == "integer" && !empty) {
                // The text ends at the closing tag: a comment or CDATA within would join it to more.
                const auto textEnd = std::min(xml.find('<', at), xml.size());
                if (!isPlainInteger(xml.substr(at, textEnd - at)) || !xml.substr(textEnd).starts_with("</")) {
                    return core::Failure{
                        "The file holds a number that is not a whole decimal number of at most 64 bits."};
                }
            }
        }
        if (!closed) break;
    }
    return {};
}

} // namespace

core::Result<> checkFileSize(std::uintmax_t size) {
    if (size == 0) return core::Failure{"The file is empty."};
    if (size > kMaxFileSize) {
        return core::Failure{"The file is " + std::to_string(size) + " bytes long, more than any saved game (" +
                             std::to_string(kMaxFileSize) + ")."};
    }
    return {};
}

core::Result<PlistPtr> parsePropertyList(const std::string& bytes) {
    if (auto sized = checkFileSize(bytes.size()); !sized) return core::Failure{sized.reason()};
    // libplist 2.2 takes XML that starts with UTF-8's byte-order mark for no
    // property list. The mark goes first, so that what is checked is what is parsed.
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const auto size = static_cast<std::uint32_t>(text.size());
    auto shape = plist_is_binary(text.data(), size) ? checkBinaryShape(text) : checkXml(text);
    if (!shape) return core::Failure{shape.reason()};
    plist_t root = nullptr;
    plist_from_memory(text.data(), size, &root);
    if (!root) return core::Failure{"The file is not a readable property list: it is damaged or cut short."};
    return PlistPtr(root);
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

#include "saves/save_store.h"

#include <algorithm>
#include <cctype>

namespace saves {

std::string numberedName(std::string_view name, int number) {
    std::string numbered(name);
    if (number > 1) numbered += " (" + std::to_string(number) + ")";
    return numbered;
}

bool isNumberedFrom(std::string_view earlier, std::string_view name) {
    if (!earlier.starts_with(name)) return false;
    const std::string_view rest = earlier.substr(name.size());
    if (rest.empty()) return true;
    if (rest.size() < 4 || !rest.starts_with(" (") || !rest.ends_with(")")) return false;
    const std::string_view digits = rest.substr(2, rest.size() - 3);
    return digits.front() != '0' &&
           std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string chooseName(const SaveRequest& request, const std::function<bool(const std::string&)>& isTaken, int limit) {
    if (!request.ownEarlier.empty() && isNumberedFrom(request.ownEarlier, request.name)) return request.ownEarlier;
    for (int number = 1; number <= limit; ++number) {
        std::string candidate = numberedName(request.name, number);
        if (!isTaken(candidate)) return candidate;
    }
    return {};
}

} // namespace saves

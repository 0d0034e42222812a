// The saved-game reader on arbitrary bytes. Besides the sanitizers' findings,
// a refusal without a reason, or an accepted record that does not survive
// being written and read again, stops the run.
#include "saves/record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = saves::decodeRecord(std::string(reinterpret_cast<const char*>(data), size));
    if (!result.ok()) {
        if (result.reason().empty()) std::abort();
        return 0;
    }
    const auto again = saves::decodeRecord(saves::encodeRecord(*result));
    if (!again.ok() || *again != *result) std::abort();
    return 0;
}

#include "saves/binary_plist_shape.h"

#include "saves/property_list.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace saves {

namespace {

// No more values than an XML file of kMaxFileSize can hold, one per 7 bytes
// ("<true/>"), so that a binary file costs no more memory than an XML one.
constexpr std::uint64_t kMaxExpandedObjects = kMaxFileSize / 7;

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 32;

const char* const kDamaged = "The file is a damaged binary property list.";

std::uint64_t readBigEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The references of a list, set or dictionary object: `count` entries of the
// table's reference size from `at` (a dictionary's keys, then its values).
struct Container {
    std::size_t at = 0;
    std::uint64_t count = 0;
};

class Shape {
public:
    explicit Shape(std::string_view bytes) : bytes_(bytes) {}

    core::Result<> check() {
        if (!readTrailer()) return core::Failure{kDamaged};
        return walk();
    }

private:
    // An open container: its references and what is known of it so far.
    struct Frame {
        std::uint64_t object;
        Container refs;
        std::uint64_t next = 0; // the reference to follow next
        std::uint64_t size = 1; // objects once expanded
        std::size_t height = 1; // levels of nesting, itself included
    };

    bool readTrailer() {
        if (bytes_.size() < kHeaderSize + kTrailerSize) return false;
        const std::size_t trailer = bytes_.size() - kTrailerSize;
        offsetSize_ = static_cast<unsigned char>(bytes_[trailer + 6]);
        refSize_ = static_cast<unsigned char>(bytes_[trailer + 7]);
        objectCount_ = readBigEndian(bytes_, trailer + 8, 8);
        root_ = readBigEndian(bytes_, trailer + 16, 8);
        const std::uint64_t table = readBigEndian(bytes_, trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
        if (table < kHeaderSize || table >= trailer) return false;
        tableAt_ = static_cast<std::size_t>(table);
        return objectCount_ >= 1 && root_ < objectCount_ && objectCount_ <= (trailer - tableAt_) / offsetSize_;
    }

    // Where object `index` starts, or 0 when the table points outside the objects.
    std::size_t offsetOf(std::uint64_t index) const {
        const std::uint64_t offset = readBigEndian(bytes_, tableAt_ + index * offsetSize_, offsetSize_);
        return offset >= kHeaderSize && offset < tableAt_ ? static_cast<std::size_t>(offset) : 0;
    }

    // Reads the references of object `index` into `container` when it has any;
    // false when the object does not fit in the file.
    bool readContainer(std::uint64_t index, std::optional<Container>& container) const {
        container.reset();
        std::size_t at = offsetOf(index);
        if (at == 0) return false;
        const unsigned marker = static_cast<unsigned char>(bytes_[at]);
        const unsigned kind = marker >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD) return true;
        std::uint64_t count = marker & 0xF;
        ++at;
        if (count == 0xF) { // the count follows as an integer object
            if (at >= tableAt_) return false;
            const unsigned intMarker = static_cast<unsigned char>(bytes_[at]);
            const std::size_t size = std::size_t{1} << (intMarker & 0xF);
            if (intMarker >> 4 != 0x1 || size > 8 || size > tableAt_ - at - 1) return false;
            count = readBigEndian(bytes_, at + 1, size);
            at += 1 + size;
        }
        const std::uint64_t perEntry = kind == 0xD ? 2 : 1;
        if (count > (tableAt_ - at) / refSize_ / perEntry) return false;
        container = Container{at, count * perEntry};
        return true;
    }

    // Depth-first from the root without recursion, one frame per open
    // container, settling each object's height and expanded size once.
    core::Result<> walk() {
        enum class State : unsigned char { New, Open, Done };
        std::vector<State> state(static_cast<std::size_t>(objectCount_), State::New);
        std::vector<std::uint64_t> size(state.size(), 1);
        std::vector<std::size_t> height(state.size(), 1);
        std::vector<Frame> stack;
        const core::Failure tooDeep{"The file nests lists more than " + std::to_string(kMaxNesting) + " deep."};

        // Opens `object`, or settles it at once when it refers to nothing.
        auto enter = [&](std::uint64_t object) -> core::Result<> {
            std::optional<Container> refs;
            if (!readContainer(object, refs)) return core::Failure{kDamaged};
            if (!refs) {
                state[object] = State::Done;
                return {};
            }
            if (stack.size() == kMaxNesting) return tooDeep;
            state[object] = State::Open;
            stack.push_back({object, *refs});
            return {};
        };

        if (auto entered = enter(root_); !entered) return entered;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.next == frame.refs.count) {
                if (frame.height > kMaxNesting) return tooDeep;
                if (frame.size > kMaxExpandedObjects) {
                    return core::Failure{"The file shares its lists so often that it would expand to more than " +
                                         std::to_string(kMaxExpandedObjects) + " values."};
                }
                state[frame.object] = State::Done;
                size[frame.object] = frame.size;
                height[frame.object] = frame.height;
                const std::uint64_t done = frame.object;
                stack.pop_back();
                if (!stack.empty()) add(stack.back(), size[done], height[done]);
                continue;
            }
            const std::uint64_t child = readBigEndian(bytes_, frame.refs.at + frame.next * refSize_, refSize_);
            ++frame.next;
            if (child >= objectCount_) return core::Failure{kDamaged};
            if (state[child] == State::Open)
                return core::Failure{"The file is a binary property list that contains itself."};
            if (state[child] == State::New) {
                if (auto entered = enter(child); !entered) return entered;
            }
            // A container just opened is added to its parent when it is done.
            if (state[child] == State::Done) add(stack.back(), size[child], height[child]);
        }
        return {};
    }

    static void add(Frame& parent, std::uint64_t childSize, std::size_t childHeight) {
        parent.size += childSize;
        parent.height = std::max(parent.height, childHeight + 1);
    }

    std::string_view bytes_;
    unsigned offsetSize_ = 0;
    unsigned refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t root_ = 0;
    std::size_t tableAt_ = 0;
};

} // namespace

core::Result<> checkBinaryShape(std::string_view bytes) { return Shape(bytes).check(); }

} // namespace saves

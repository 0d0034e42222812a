#pragma once

#include <string>
#include <utility>
#include <variant>

namespace core {

// Why something could not be done: an English sentence, for the player or the log.
struct Failure {
    std::string reason;
};

// A value, or the reason there is none. `Result<>` only tells whether it worked.
template <typename T = std::monostate>
class [[nodiscard]] Result {
public:
    Result(T value = T{}) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& operator*() { return std::get<0>(state_); }
    const T& operator*() const { return std::get<0>(state_); }
    T* operator->() { return &std::get<0>(state_); }
    const T* operator->() const { return &std::get<0>(state_); }

    // Empty when it worked.
    const std::string& reason() const {
        static const std::string none;
        return ok() ? none : std::get<1>(state_).reason;
    }

private:
    std::variant<T, Failure> state_;
};

} // namespace core

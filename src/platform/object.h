#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace ui {

// Base of everything that timers, animations and touches call back into.
// Those callbacks hold only a weak token of their target, so they never keep
// it alive, and they do nothing once it has gone.
class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    std::weak_ptr<const void> liveness() const { return alive_; }

private:
    std::shared_ptr<const void> alive_ = std::make_shared<char>(0);
};

// A call of `op` on `target` that is skipped once the target has been destroyed.
template <class T, class... Args>
std::function<void(Args...)> weakCall(T* target, void (T::*op)(Args...)) {
    return [target, op, token = target->liveness()](Args... args) {
        if (!token.expired()) (target->*op)(std::forward<Args>(args)...);
    };
}

} // namespace ui

#pragma once

#include <boost/core/noncopyable.hpp>

#include <cstdlib>
#include <optional>
#include <string>

namespace testkit {

// Sets (or with nullptr, removes) an environment variable for one scope.
class ScopedEnvironment : boost::noncopyable {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(value);
    }
    ~ScopedEnvironment() { set(old_ ? old_->c_str() : nullptr); }

private:
    void set(const char* value) { value ? ::setenv(name_.c_str(), value, 1) : ::unsetenv(name_.c_str()); }
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace testkit

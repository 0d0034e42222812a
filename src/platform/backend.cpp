#include "platform/backend.h"

#include <cassert>
#include <vector>

namespace ui {

namespace {
// Every back end alive, the newest last; each takes itself out wherever it is.
std::vector<const Backend*>& liveBackends() {
    static std::vector<const Backend*> backends;
    return backends;
}
} // namespace

Backend::Backend() { liveBackends().push_back(this); }

Backend::~Backend() { std::erase(liveBackends(), this); }

const Backend& Backend::current() {
    assert(!liveBackends().empty() && "no back end: start an Application or a test harness first");
    return *liveBackends().back();
}

} // namespace ui

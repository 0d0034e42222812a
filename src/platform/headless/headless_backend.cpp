#include "platform/headless/headless_backend.h"

#include "platform/sdl/image_size.h"

#include <algorithm>

namespace ui {

bool HeadlessBackend::waitForInput(std::optional<double> deadline, Application&) {
    if (!deadline) return false;
    clock_.set(std::max(clock_.now(), *deadline));
    return true;
}

std::optional<Size> HeadlessBackend::imageSize(const std::filesystem::path& file) const {
    return sdl::readImageSize(file);
}

void HeadlessBackend::advance(RunLoop& loop, double seconds) {
    const double target = clock_.now() + seconds;
    loop.runDueTasks();
    while (auto next = loop.nextDeadline()) {
        if (*next > target) break;
        clock_.set(std::max(clock_.now(), *next));
        loop.runDueTasks();
    }
    clock_.set(target);
    loop.runDueTasks();
}

} // namespace ui

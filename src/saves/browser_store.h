#pragma once

#include "saves/save_store.h"

#include <functional>
#include <string>
#include <vector>

namespace saves {

// The saved games in the page's IndexedDB (browser_store.js): one record a
// save, each write one transaction, answered once the browser has kept it or
// said why not. Lists read the store afresh, so tabs of one page never undo
// each other's saves. A save under way is stashed in localStorage, so one
// started as the page goes is kept at the next start; so are the saves of
// the version that kept a folder in IndexedDB, once. The personal bests are
// one record beside them, kept the same way.
class BrowserStore final : public SaveStore {
public:
    // Opens the store. Answers come between the page's frames, whose callbacks
    // may have stopped: `wake` starts them again after each.
    explicit BrowserStore(std::function<void()> wake);

    void list(Reply<Listing> reply) override;
    void read(const std::string& name, Reply<core::Result<SavedGameRecord>> reply) override;
    void write(SaveRequest request, Reply<core::Result<std::string>> reply) override;
    void remove(const std::string& name, Reply<core::Result<>> reply) override;
    void readBests(Reply<KeptBests> reply) override;
    void writeBests(const PersonalBests& bests, Reply<core::Result<>> reply) override;

private:
    // The ticket a reply of the store's script is given under, whose texts (or
    // why it could not do as asked) go to `answer`.
    int expect(std::function<void(core::Result<std::vector<std::string>>)> answer);

    std::function<void()> wake_;
};

} // namespace saves

#pragma once

#include "saves/personal_bests.h"
#include "saves/record.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace saves {

// One save to keep: the record, the name it is listed by, and what the game
// saved earlier. Names clash when another game saved in the same minute at
// the same level, difficulty and mode: the later save is then kept as
// "name (2)", "name (3)" and so on, and never replaces the other game.
struct SaveRequest {
    std::string name; // saveName()'s
    SavedGameRecord record;
    // The name this game's last save of the same kind was kept under, if any.
    // A save of the same name replaces it: the same game saved again within
    // the minute is one row in the list.
    std::string ownEarlier = {};
    // Whether ownEarlier goes once this save is kept under another name: a
    // game keeps one automatic save of its own, its latest.
    bool supersedes = false;
};

// The saved games, newest first; and why they could not all be listed, if so.
struct Listing {
    std::vector<std::string> saveNames;
    std::string problem;
};

// The personal bests as kept; and, when the kept ones could not be read, why:
// they are then set aside, not deleted, and the bests start anew. Ones that
// could not be set aside either stay in place, not to be written over.
struct KeptBests {
    PersonalBests bests;
    std::string problem;
    bool unreadInPlace = false;
};

// Where saved games last: a folder on the desktop, the browser's IndexedDB.
// Every answer comes through a reply, which a store calls either before
// returning (the desktop's disk) or once its storage has answered (the
// browser's), and only then is the outcome known: a save is kept only when
// its reply says so.
class SaveStore {
public:
    template <class T>
    using Reply = std::function<void(T)>;

    virtual ~SaveStore() = default;

    virtual void list(Reply<Listing> reply) = 0;
    // The saved game `name` (as list gives it), or why it cannot be loaded.
    virtual void read(const std::string& name, Reply<core::Result<SavedGameRecord>> reply) = 0;
    // Keeps the save and answers the name it was kept under, or why it was not.
    virtual void write(SaveRequest request, Reply<core::Result<std::string>> reply) = 0;
    virtual void remove(const std::string& name, Reply<core::Result<>> reply) = 0;

    // The personal bests kept beside the saved games: none before the first.
    virtual void readBests(Reply<KeptBests> reply) = 0;
    // Keeps the bests whole, in place of the last ones, as a save is kept.
    virtual void writeBests(const PersonalBests& bests, Reply<core::Result<>> reply) = 0;
};

// The `number`th name a save of `name` may take: `name` itself first, then "name (2)" ...
std::string numberedName(std::string_view name, int number);

// The name a request is kept under when `isTaken` tells the names already
// kept: its own earlier one of the same name, else the first numbered name
// that is free; none when `limit` names are all taken.
std::string chooseName(const SaveRequest& request, const std::function<bool(const std::string&)>& isTaken, int limit);

// Whether `earlier` is a numbered name of `name` (numberedName's, any number).
bool isNumberedFrom(std::string_view earlier, std::string_view name);

} // namespace saves

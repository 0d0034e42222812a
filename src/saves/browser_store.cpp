#include "saves/browser_store.h"

#include <emscripten.h>

#include <map>
#include <utility>

// browser_store.js; every `ticket` is answered once, through lirvo_saves_answer.
extern "C" {
void lirvo_saves_open();
void lirvo_saves_list(int ticket);
void lirvo_saves_read(int ticket, const char* name);
void lirvo_saves_write(int ticket, const char* name, const char* plist, const char* ownEarlier, bool supersedes);
void lirvo_saves_remove(int ticket, const char* name);
// The personal bests: none or their property list; kept; moved aside under the name answered.
void lirvo_bests_read(int ticket);
void lirvo_bests_write(int ticket, const char* plist);
void lirvo_bests_set_aside(int ticket);
// Whether a save is kept under `name`, while lirvo_saves_choose_name runs.
bool lirvo_saves_taken(const char* name);
}

namespace saves {

namespace {

using Answer = std::function<void(core::Result<std::vector<std::string>>)>;

std::map<int, Answer>& awaited() {
    static std::map<int, Answer> answers;
    return answers;
}

} // namespace

BrowserStore::BrowserStore(std::function<void()> wake) : wake_(std::move(wake)) { lirvo_saves_open(); }

int BrowserStore::expect(Answer answer) {
    static int last = 0;
    awaited().emplace(++last, [this, answer = std::move(answer)](core::Result<std::vector<std::string>> texts) {
        answer(std::move(texts));
        wake_();
    });
    return last;
}

void BrowserStore::list(Reply<Listing> reply) {
    lirvo_saves_list(expect([reply = std::move(reply)](core::Result<std::vector<std::string>> texts) {
        if (!texts) return reply({{}, "The saved games cannot be listed (" + texts.reason() + ")."});
        // The problem first, then the names.
        reply({{std::make_move_iterator(texts->begin() + 1), std::make_move_iterator(texts->end())},
               std::move(texts->front())});
    }));
}

void BrowserStore::read(const std::string& name, Reply<core::Result<SavedGameRecord>> reply) {
    const int ticket = expect([reply = std::move(reply)](core::Result<std::vector<std::string>> plist) {
        reply(plist ? decodeRecord(plist->front()) : core::Failure{plist.reason()});
    });
    lirvo_saves_read(ticket, name.c_str());
}

void BrowserStore::write(SaveRequest request, Reply<core::Result<std::string>> reply) {
    const int ticket = expect([reply = std::move(reply)](core::Result<std::vector<std::string>> kept) {
        reply(kept ? core::Result<std::string>(std::move(kept->front())) : core::Failure{kept.reason()});
    });
    lirvo_saves_write(ticket, request.name.c_str(), encodeRecord(request.record).c_str(), request.ownEarlier.c_str(),
                      request.supersedes);
}

void BrowserStore::remove(const std::string& name, Reply<core::Result<>> reply) {
    const int ticket = expect([reply = std::move(reply)](core::Result<std::vector<std::string>> removed) {
        reply(removed ? core::Result<>{} : core::Failure{removed.reason()});
    });
    lirvo_saves_remove(ticket, name.c_str());
}

void BrowserStore::readBests(Reply<KeptBests> reply) {
    lirvo_bests_read(expect([this, reply = std::move(reply)](core::Result<std::vector<std::string>> kept) {
        if (kept && kept->empty()) return reply({});
        core::Result<PersonalBests> read = kept ? decodePersonalBests(kept->front()) : core::Failure{kept.reason()};
        if (read) return reply({std::move(*read), {}});
        // Set aside, as the desktop renames its file, then told.
        lirvo_bests_set_aside(expect([reply](core::Result<std::vector<std::string>> aside) {
            const std::string where = aside ? "and are kept aside as \"" + aside->front() + "\". "
                                            : "nor set aside (" + aside.reason() + "). ";
            reply({{}, "The records could not be read " + where + "New records start.", !aside});
        }));
    }));
}

void BrowserStore::writeBests(const PersonalBests& bests, Reply<core::Result<>> reply) {
    const int ticket = expect([reply = std::move(reply)](core::Result<std::vector<std::string>> kept) {
        reply(kept ? core::Result<>{} : core::Failure{kept.reason()});
    });
    lirvo_bests_write(ticket, encodePersonalBests(bests).c_str());
}

} // namespace saves

extern "C" {

// The script's reply to `ticket`: its texts when `done`, else why it could not do as asked.
EMSCRIPTEN_KEEPALIVE void lirvo_saves_answer(int ticket, int done, const char* const* texts, int count) {
    auto answer = saves::awaited().extract(ticket);
    std::vector<std::string> answered(texts, texts + count);
    if (done) {
        answer.mapped()(std::move(answered));
    } else {
        answer.mapped()(core::Failure{answered.front()});
    }
}

// The name a save of `name` is kept under (saves/save_store.cpp's rule), with
// lirvo_saves_taken telling the names kept; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* lirvo_saves_choose_name(const char* name, const char* ownEarlier, int limit) {
    static std::string chosen;
    const auto isTaken = [](const std::string& candidate) { return lirvo_saves_taken(candidate.c_str()); };
    chosen = saves::chooseName({name, {}, ownEarlier}, isTaken, limit);
    return chosen.c_str();
}
}

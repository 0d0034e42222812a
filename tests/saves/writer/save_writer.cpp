// Saves without end into the folder given, for the crash-safety test to kill
// at random moments. Every record it writes is whole when its Score equals the
// first entry of its xNodes and its node count is Score % 50 + 3. It says "ready"
// on standard output once its first save is on disk.
#include "saves/save_folder.h"

#include <cstdint>
#include <cstdio>

namespace {

saves::SavedGameRecord recordNumber(std::int32_t n) {
    saves::SavedGameRecord record;
    record.Difficulty = "Medium";
    record.ScoreInc = 20;
    record.Level = 1;
    record.Score = n;
    record.NumberOfNodes = n % 50 + 3;
    for (std::int32_t i = 0; i < record.NumberOfNodes; ++i) {
        record.xNodes.push_back(i == 0 ? n : i);
        record.yNodes.push_back(i);
        record.Links.push_back({(i + 1) % record.NumberOfNodes});
    }
    return record;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_writer FOLDER\n");
        return 2;
    }
    const saves::SaveFolder folder(argv[1]);
    for (std::int32_t n = 0;; ++n) {
        // Two names in turn, so that kills land on new files and on replacements.
        if (auto problem = folder.write(n % 2 ? "odd" : "even", recordNumber(n))) {
            std::fprintf(stderr, "save_writer: %s\n", problem->c_str());
            return 1;
        }
        if (n == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

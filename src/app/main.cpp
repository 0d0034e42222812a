#include <cstring>
#include <iostream>

namespace {

constexpr const char* kUsage =
    "Usage: lirvo [--help]\n"
    "\n"
    "Lirvo, the untangle puzzle: drag the circles until no two lines cross.\n";

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kUsage;
            return 0;
        }
        std::cerr << "lirvo: unknown option " << argv[i] << "\n\n" << kUsage;
        return 2;
    }
    // The playing screen and its window are not part of this build yet.
    std::cerr << "lirvo: this build has the puzzle core and the toolkit only; the game window comes next.\n";
    return 1;
}

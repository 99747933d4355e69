// A player's actions, two bytes each, against the program's rules (fuzz/player.h). A broken rule
// prints the actions and what broke, and stops the run; -minimize_crash=1 then shortens them.

#include "player.h"

#include <cstdio>
#include <cstdlib>

namespace {

bt::player::Counts counts;

void printCounts() {
    std::fprintf(stderr, "sequences %d: a message typed %d, a key chosen %d, news opened %d\n",
                 counts.runs, counts.typed, counts.chosen, counts.news);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = std::atexit(printCounts) == 0;
    (void)registered;
    const auto actions = bt::player::decode(data, size);
    if (const std::string failure = bt::player::play(actions, &counts); !failure.empty()) {
        std::fprintf(stderr, "The player did:\n%sand %s\n", bt::player::describe(actions).c_str(),
                     failure.c_str());
        std::abort();
    }
    return 0;
}

// Thousands of random sequences of a player's actions against the program's rules, the same
// player the fuzz target drives (fuzz/player.h). A failure names the fewest actions that still
// break the rule.

#include "player.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#ifndef BRONTEK_SEQUENCES
#define BRONTEK_SEQUENCES 10000
#endif

namespace bt::player {
namespace {

// Drops actions one at a time while the run still fails.
std::vector<Action> shortest(std::vector<Action> actions) {
    for (std::size_t n = actions.size(); n-- > 0;) {
        auto fewer = actions;
        fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(n));
        if (!play(fewer).empty())
            actions = fewer;
    }
    return actions;
}

TEST(InputSequences, EveryMessageHasAPressAndChoicesStayInTheMainWindow) {
    constexpr unsigned kSeed = 20261207; // the same sequences every run; make fuzz looks further
    std::mt19937 random(kSeed);
    Counts counts;
    for (int run = 0; run < BRONTEK_SEQUENCES; ++run) {
        std::vector<std::uint8_t> bytes(2 * (1 + random() % 150));
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        if (play(decode(bytes.data(), bytes.size()), &counts).empty())
            continue;
        const auto minimal = shortest(decode(bytes.data(), bytes.size()));
        FAIL() << "Sequence " << run + 1 << " of seed " << kSeed
               << ", at its shortest: the player did:\n"
               << describe(minimal) << "and " << play(minimal);
    }
    std::printf("%d sequences: a message typed in %d, a key chosen in %d, the news opened in %d\n",
                counts.runs, counts.typed, counts.chosen, counts.news);
    // The sequences reach what they are for.
    EXPECT_GT(counts.typed, counts.runs / 2);
    EXPECT_GT(counts.chosen, counts.runs / 10);
    EXPECT_GT(counts.news, 0);
}

} // namespace
} // namespace bt::player

// Every fuzz target's seeds in every test run: the damaged files, feeds and answers and the
// player's sequences that once broke a rule. A target aborts on what it finds, so each seed runs
// in a child process of its own.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using FuzzTarget = int(const std::uint8_t*, std::size_t);
extern "C" FuzzTarget fuzzBindText, fuzzKeysFile, fuzzFeed, fuzzFeedCheck, fuzzStatus, fuzzInput;

TEST(FuzzSeeds, EverySeedOfEveryTargetStillPasses) {
    const std::pair<const char*, FuzzTarget*> targets[] = {
        {"bind_text", fuzzBindText},   {"keys_file", fuzzKeysFile}, {"feed", fuzzFeed},
        {"feed_check", fuzzFeedCheck}, {"status", fuzzStatus},      {"input", fuzzInput}};
    for (const auto& [name, target] : targets)
        for (const auto& seed : std::filesystem::directory_iterator(
                 std::filesystem::path(BRONTEK_FUZZ_SEEDS) / name)) {
            std::ifstream in(seed.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
            EXPECT_EXIT((target(data, bytes.size()), std::exit(0)), testing::ExitedWithCode(0), "")
                << seed.path();
        }
}

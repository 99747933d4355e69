#include "net/feed_check.h"
#include "net/text_lines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace bt {
namespace {

std::string slurp(const std::string& name) {
    std::ifstream in(std::string(BRONTEK_SAMPLE_SITE) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct FeedCheckTest : ::testing::Test {
    std::string feed = slurp("data.html");
    std::string token = slurp("br.html");
    // Replaces feed line n of the sample.
    std::string withLine(std::size_t n, const std::string& value) {
        auto lines = splitCrLf(replaceAll(feed, token, "\r\n"));
        lines[n] = value;
        std::string out;
        for (const auto& l : lines)
            out += l + token;
        return out;
    }
    std::vector<std::size_t> linesFlagged(const std::string& body) {
        std::vector<std::size_t> out;
        for (const auto& p : checkFeed(body, token))
            out.push_back(p.line);
        return out;
    }
};

TEST_F(FeedCheckTest, TheSampleFeedPasses) {
    ASSERT_FALSE(feed.empty());
    EXPECT_TRUE(checkFeed(feed, token).empty());
}

TEST_F(FeedCheckTest, BrokenLinesAreFlaggedByNumber) {
    EXPECT_EQ(linesFlagged(withLine(14, "big")), (std::vector<std::size_t>{14}));
    EXPECT_EQ(linesFlagged(withLine(21, "maybe")), (std::vector<std::size_t>{21}));
    EXPECT_EQ(linesFlagged(withLine(22, "file:///etc/passwd")), (std::vector<std::size_t>{22}));
    EXPECT_EQ(linesFlagged(withLine(80, "calc.exe")), (std::vector<std::size_t>{80}));
    EXPECT_EQ(linesFlagged(withLine(10, "8000")), (std::vector<std::size_t>{10}));
    EXPECT_EQ(linesFlagged(withLine(128, "-5")), (std::vector<std::size_t>{128}));
}

TEST_F(FeedCheckTest, AShortFeedIsReported) {
    const auto problems = checkFeed("Caption|100|200", "|");
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, 3u);
    EXPECT_NE(problems[0].message.find("missing"), std::string::npos);
}

} // namespace
} // namespace bt

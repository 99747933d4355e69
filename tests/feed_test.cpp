#include "net/feed.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

using Lines = std::vector<std::string>;

TEST(FeedTest, ATokenOrRealCrLfEndsALine) {
    EXPECT_EQ(splitFeed(normaliseFeed("one|two|three", "|")), (Lines{"one", "two", "three"}));
    EXPECT_EQ(splitFeed(normaliseFeed("one\r\ntwo\r\nthree", "")), (Lines{"one", "two", "three"}));
    EXPECT_EQ(splitFeed(normaliseFeed("one<br>two\r\nthree", "<br>")),
              (Lines{"one", "two", "three"}));
}

TEST(FeedTest, TokensAtTheEndAndInARowGiveEmptyLines) {
    EXPECT_EQ(splitFeed(normaliseFeed("a<br>", "<br>")), (Lines{"a", ""}));
    EXPECT_EQ(splitFeed(normaliseFeed("a<br><br>b", "<br>")), (Lines{"a", "", "b"}));
}

TEST(FeedTest, ATokenInAnotherLetterCaseDoesNotMatch) {
    EXPECT_EQ(splitFeed(normaliseFeed("a<BR>b<br>c", "<br>")), (Lines{"a<BR>b", "c"}));
}

TEST(FeedTest, LinesAfter133AreIgnored) {
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += std::to_string(i) + "|";
    const Lines lines = splitFeed(normaliseFeed(body, "|"));
    ASSERT_EQ(lines.size(), kFeedLines);
    EXPECT_EQ(lines.back(), "133");
}

TEST(FeedTest, NewsTextSubstitutesBreaksThenTabs) {
    EXPECT_EQ(substituteNewsText("one%br%two%tab%three"), "one\r\ntwo        three");
    EXPECT_EQ(substituteNewsText("one%BR%two"), "one%BR%two");
    EXPECT_EQ(substituteNewsText("%tab%%br%"), "        \r\n");
}

TEST(FeedTest, NumbersAndBooleans) {
    EXPECT_EQ(feedNumber("1680"), 1680.0);
    EXPECT_EQ(feedNumber("-120"), -120.0);
    EXPECT_EQ(feedNumber("8.25"), 8.25);
    EXPECT_FALSE(feedNumber("twelve"));
    EXPECT_FALSE(feedNumber(""));
    EXPECT_EQ(feedBoolean("True"), true);
    EXPECT_EQ(feedBoolean("fALSE"), false);
    EXPECT_EQ(feedBoolean("0"), false);
    EXPECT_EQ(feedBoolean("-1"), true);
    EXPECT_FALSE(feedBoolean("yes"));
}

} // namespace
} // namespace bt

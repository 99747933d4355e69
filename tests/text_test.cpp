// The small text pieces: numbers as typed, lines and tokens, server bodies, links, the feed format
// and its checker.

#include "base/body_text.h"
#include "base/link_policy.h"
#include "base/numbers.h"
#include "base/text_lines.h"
#include "behaviours/news/feed.h"
#include "behaviours/news/feed_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace bt {
namespace {

using Lines = std::vector<std::string>;

TEST(NumbersTest, TypedNumbersWithTheUsersSeparatorAndHalvesToEven) {
    EXPECT_EQ(parseNumber(" 250.5 ", '.'), 250.5);
    EXPECT_EQ(parseNumber("250,5", ','), 250.5);
    EXPECT_EQ(parseNumber("-5", '.'), -5.0);
    EXPECT_EQ(parseNumber("+.5", '.'), 0.5);
    for (const char* bad : {"", " ", "abc", "12a", "1.2.3", "-", ".", "1e3", "0x10", "--1"})
        EXPECT_FALSE(parseNumber(bad, '.')) << bad;
    EXPECT_FALSE(parseNumber("250.5", ','));
    EXPECT_FALSE(parseNumber(std::string(200, '1'), '.'));
    EXPECT_EQ(roundHalfEven32(250.5), 250);
    EXPECT_EQ(roundHalfEven32(251.5), 252);
    EXPECT_EQ(roundHalfEven32(250.51), 251);
    EXPECT_EQ(roundHalfEven32(-1.5), -2);
    EXPECT_EQ(roundHalfEven16(999.5), 1000);
    EXPECT_FALSE(roundHalfEven16(40000.0));
    EXPECT_FALSE(roundHalfEven32(1e12));
    EXPECT_EQ(parseInt16(" -32768"), -32768);
    EXPECT_EQ(parseInt16("+32767 "), 32767);
    for (const char* bad : {"32768", "", "1 2", "1.0", "--1"})
        EXPECT_FALSE(parseInt16(bad)) << bad;
}

TEST(TextLinesTest, ReplaceSplitAndPickALine) {
    EXPECT_EQ(replaceAll("aXbXXc", "X", "\r\n"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(replaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("aBc", "b", "x"), "aBc");
    EXPECT_EQ(splitCrLf("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(splitCrLf("a\nb\rc"), (Lines{"a\nb\rc"}));
    EXPECT_EQ(lineAt("on\r\nid\r\n", 1), "id");
    EXPECT_EQ(lineAt("on\r\nid\r\n", 2), "");
    EXPECT_FALSE(lineAt("on\r\nid\r\n", 3));
    EXPECT_EQ(lineAt("offline", 0), "offline");
}

TEST(FeedTest, TokensAndCrLfEndLinesAndOnlyTheNewsTextIsSubstituted) {
    EXPECT_EQ(splitFeed(normaliseFeed("one<br>two\r\nthree<br>", "<br>")),
              (Lines{"one", "two", "three", ""}));
    EXPECT_EQ(splitFeed(normaliseFeed("a<BR>b<br><br>c", "<br>")), (Lines{"a<BR>b", "", "c"}));
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += std::to_string(i) + "|";
    const Lines lines = splitFeed(normaliseFeed(body, "|"));
    ASSERT_EQ(lines.size(), kFeedLines);
    EXPECT_EQ(lines.back(), "133");
    EXPECT_EQ(substituteNewsText("one%br%two%tab%three%BR%"), "one\r\ntwo        three%BR%");
    EXPECT_EQ(feedNumber("-120"), -120.0);
    EXPECT_FALSE(feedNumber("twelve"));
    EXPECT_EQ(feedBoolean("fALSE"), false);
    EXPECT_EQ(feedBoolean("True"), true);
    EXPECT_EQ(feedBoolean("-1"), true);
    EXPECT_EQ(feedBoolean("0"), false);
    EXPECT_FALSE(feedBoolean("yes"));
}

TEST(BodyTextTest, Utf8StaysAndAnythingElseIsWindows1252) {
    EXPECT_EQ(bodyToText("caf\xc3\xa9 \xf0\x9f\x98\x80"), "caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_EQ(bodyToText("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(bodyToText("\x80 \x93q\x94"), "\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d");
    EXPECT_EQ(bodyToText("\x81"), "\xef\xbf\xbd") << "an unassigned byte";
    for (const char* bad : {"\xc0\xaf", "\xed\xa0\x80", "\xe2\x82", "\xf4\x90\x80\x80", "\xff"})
        EXPECT_FALSE(isValidUtf8(bad));
}

TEST(LinkPolicyTest, OnlyWebAddressesOpen) {
    for (const char* good : {"http://example.org/", "https://x.org/a?b=c", "HtTpS://x.org/"})
        EXPECT_TRUE(isWebLink(good)) << good;
    for (const char* bad : {"", "file:///etc/passwd", "C:\\Windows\\system32\\calc.exe",
                            "javascript:alert(1)", "ftp://x.org/", "http://", " https://x.org",
                            "http:/x.org", "https://x.org/\r\ncalc", "https://x.org/\x7f"})
        EXPECT_FALSE(isWebLink(bad)) << bad;
}

struct FeedCheckTest : ::testing::Test {
    static std::string sample(const std::string& name) {
        std::ifstream in(std::string(BRONTEK_SAMPLE_SITE) + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string feed = sample("data.html");
    std::string token = sample("br.html");
    std::vector<std::size_t> flaggedWith(std::size_t n, const std::string& value) {
        auto lines = splitCrLf(replaceAll(feed, token, "\r\n"));
        lines[n] = value;
        std::string body;
        for (const auto& l : lines)
            body += l + token;
        std::vector<std::size_t> out;
        for (const auto& problem : checkFeed(body, token))
            out.push_back(problem.line);
        return out;
    }
};

TEST_F(FeedCheckTest, TheSamplePassesAndBrokenLinesAreFlaggedByNumber) {
    ASSERT_FALSE(feed.empty());
    EXPECT_TRUE(checkFeed(feed, token).empty());
    struct Case {
        std::size_t line;
        const char* value;
    };
    for (const Case& bad : {Case{14, "big"},
                            {21, "maybe"},
                            {22, "file:///etc/passwd"},
                            {80, "calc.exe"},
                            {10, "8000"},
                            {128, "-5"},
                            {1, "8000"}})
        EXPECT_EQ(flaggedWith(bad.line, bad.value), (std::vector<std::size_t>{bad.line}))
            << bad.line;
    const auto problems = checkFeed("Caption|100|200", "|");
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, 3u);
    EXPECT_NE(problems[0].message.find("missing"), std::string::npos);
}

} // namespace
} // namespace bt

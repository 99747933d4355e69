#include "net/text_lines.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLinesTest, ReplaceAllResumesAfterEachHit) {
    EXPECT_EQ(replaceAll("aXbXXc", "X", "\r\n"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(replaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("aBc", "b", "x"), "aBc") << "letter case counts";
}

TEST(TextLinesTest, SplitKeepsEmptyPiecesAndCutsOnlyAtCrLf) {
    EXPECT_EQ(splitCrLf("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(splitCrLf(""), (Lines{""}));
    EXPECT_EQ(splitCrLf("a\nb\rc"), (Lines{"a\nb\rc"}));
    EXPECT_EQ(splitCrLf("\r\n\r\n"), (Lines{"", "", ""}));
}

TEST(TextLinesTest, LineAtFindsOneLineWithoutSplittingAll) {
    EXPECT_EQ(lineAt("on\r\nid\r\n", 0), "on");
    EXPECT_EQ(lineAt("on\r\nid\r\n", 1), "id");
    EXPECT_EQ(lineAt("on\r\nid\r\n", 2), "");
    EXPECT_FALSE(lineAt("on\r\nid\r\n", 3));
    EXPECT_EQ(lineAt("offline", 0), "offline");
}

} // namespace
} // namespace bt

#include "net/body_text.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

TEST(BodyTextTest, Utf8StaysAsItIs) {
    EXPECT_EQ(bodyToText("plain\r\n"), "plain\r\n");
    EXPECT_EQ(bodyToText("caf\xc3\xa9 \xe2\x82\xac"), "caf\xc3\xa9 \xe2\x82\xac");
}

TEST(BodyTextTest, AnythingElseIsReadAsWindows1252) {
    EXPECT_EQ(bodyToText("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(bodyToText("\x80 \x93quoted\x94"), "\xe2\x82\xac \xe2\x80\x9cquoted\xe2\x80\x9d");
    EXPECT_EQ(bodyToText("\x81"), "\xef\xbf\xbd") << "an unassigned byte becomes U+FFFD";
}

TEST(BodyTextTest, RejectsOverlongSurrogatesAndTruncation) {
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));
    EXPECT_FALSE(isValidUtf8("\xe2\x82"));
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));
    EXPECT_TRUE(isValidUtf8("\xf0\x9f\x98\x80"));
}

} // namespace
} // namespace bt

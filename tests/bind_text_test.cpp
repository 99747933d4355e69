#include "storage/bind_text.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

TEST(BindTextTest, BuildsTheVariantAndTwentyIndicesEachEndedByCrLf) {
    std::array<int, 20> indices{};
    indices[0] = 3;
    indices[19] = -1;
    const std::string text = buildBindText("2", indices);
    EXPECT_EQ(text.substr(0, 6), "2\r\n3\r\n");
    EXPECT_EQ(text.substr(text.size() - 4), "-1\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
}

TEST(BindTextTest, ParsesWhatItBuildsWithCrLfOrLfAlone) {
    std::array<int, 20> indices{};
    for (int i = 0; i < 20; ++i)
        indices[static_cast<std::size_t>(i)] = i % 9 - 1;
    std::string text = buildBindText("1", indices) + "\r\n";
    for (const std::string& t : {text, [&] {
                                     std::string lf;
                                     for (char ch : text)
                                         if (ch != '\r')
                                             lf += ch;
                                     return lf;
                                 }()}) {
        const BindValues v = parseBindText(t);
        EXPECT_EQ(v.variant, "1");
        for (std::size_t i = 0; i < 20; ++i)
            EXPECT_EQ(v.indices[i], indices[i]) << i;
    }
}

TEST(BindTextTest, MissingOrBadLinesAreLeftOut) {
    const BindValues v = parseBindText("2\r\n4\r\nx\r\n70000\r\n 3 \r\n+2\r\n-0\r\n3.5");
    EXPECT_EQ(v.variant, "2");
    EXPECT_EQ(v.indices[0], 4);
    EXPECT_FALSE(v.indices[1].has_value());
    EXPECT_FALSE(v.indices[2].has_value()) << "beyond 16 bits";
    EXPECT_EQ(v.indices[3], 3);
    EXPECT_EQ(v.indices[4], 2);
    EXPECT_EQ(v.indices[5], 0);
    EXPECT_FALSE(v.indices[6].has_value());
    for (std::size_t i = 7; i < 20; ++i)
        EXPECT_FALSE(v.indices[i].has_value());
}

TEST(BindTextTest, ReadsNothingPastLine21) {
    std::string text = "1\r\n";
    for (int i = 0; i < 20; ++i)
        text += "1\r\n";
    text += "garbage\r\nmore\r\n";
    const BindValues v = parseBindText(text);
    for (const auto& index : v.indices)
        EXPECT_EQ(index, 1);
}

TEST(BindTextTest, ParseInt16AcceptsOnlyWholeNumbersInRange) {
    EXPECT_EQ(parseInt16("-32768"), -32768);
    EXPECT_EQ(parseInt16("32767"), 32767);
    EXPECT_FALSE(parseInt16("32768"));
    EXPECT_FALSE(parseInt16(""));
    EXPECT_FALSE(parseInt16("1 2"));
    EXPECT_FALSE(parseInt16(std::string("1\0", 2)));
}

} // namespace
} // namespace bt

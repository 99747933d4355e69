#include "engine/key_interval.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

TEST(KeyIntervalTest, ParsesNumbersWithTheUsersDecimalSeparator) {
    EXPECT_EQ(parseNumber("100", '.'), 100.0);
    EXPECT_EQ(parseNumber("250.5", '.'), 250.5);
    EXPECT_EQ(parseNumber("250,5", ','), 250.5);
    EXPECT_EQ(parseNumber(" 300 ", '.'), 300.0);
    EXPECT_EQ(parseNumber("-5", '.'), -5.0);
    EXPECT_EQ(parseNumber("+7", '.'), 7.0);
    EXPECT_EQ(parseNumber(".5", '.'), 0.5);
}

TEST(KeyIntervalTest, RefusesWhatIsNotANumber) {
    for (const char* bad : {"", " ", "abc", "12a", "1.2.3", "-", ".", "1e3", "0x10", "--1"})
        EXPECT_FALSE(parseNumber(bad, '.').has_value()) << bad;
    EXPECT_FALSE(parseNumber("250.5", ',').has_value()) << "the other separator is not a number";
    EXPECT_FALSE(parseNumber(std::string(200, '1'), '.').has_value());
}

TEST(KeyIntervalTest, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven32(250.5), 250);
    EXPECT_EQ(roundHalfEven32(251.5), 252);
    EXPECT_EQ(roundHalfEven32(250.49), 250);
    EXPECT_EQ(roundHalfEven32(250.51), 251);
    EXPECT_EQ(roundHalfEven32(-0.5), 0);
    EXPECT_EQ(roundHalfEven32(-1.5), -2);
    EXPECT_EQ(roundHalfEven16(999.5), 1000);
    EXPECT_FALSE(roundHalfEven16(40000.0).has_value());
    EXPECT_FALSE(roundHalfEven32(1e12).has_value());
}

} // namespace
} // namespace bt

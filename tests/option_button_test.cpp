#include "ui/controls/option_button.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

TEST(OptionButtonTest, SelectingTheOtherOptionSwitchesAndRunsItsClickOnce) {
    OptionButton a{"Option1", "A"}, b{"Option2", "B"};
    OptionButton::group({&a, &b});
    a.setDesignValue(true);
    int aRuns = 0, bRuns = 0;
    a.setOnClick([&] { ++aRuns; });
    b.setOnClick([&] {
        ++bRuns;
        EXPECT_TRUE(b.value());
        EXPECT_FALSE(a.value()) << "the group has switched before the click runs";
    });

    b.select();
    EXPECT_EQ(bRuns, 1);
    EXPECT_EQ(aRuns, 0);
    EXPECT_TRUE(b.value());
    EXPECT_FALSE(a.value());

    b.select();
    EXPECT_EQ(bRuns, 1) << "selecting the selected option runs nothing";

    a.select();
    EXPECT_EQ(aRuns, 1);
    EXPECT_FALSE(b.value());
}

} // namespace
} // namespace bt

#include "ui/controls/combo_box.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

struct ComboBoxTest : ::testing::Test {
    ComboBox list{"Combo1", {"1", "2", "3"}};
    int runs = 0;
    void SetUp() override {
        list.setOnClick([this] { ++runs; });
    }
};

TEST_F(ComboBoxTest, StartsWithoutSelectionAndEmptyText) {
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(list.listCount(), 3);
}

TEST_F(ComboBoxTest, AssigningADifferentIndexRunsTheBehaviourInsideTheAssignment) {
    int seenIndex = -2;
    list.setOnClick([&] {
        ++runs;
        seenIndex = list.listIndex();
    });
    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seenIndex, 1) << "the behaviour already sees the new index";
    EXPECT_EQ(list.text(), "2");
}

TEST_F(ComboBoxTest, SameIndexClearAndAddRunNothing) {
    list.setListIndex(2);
    runs = 0;
    list.setListIndex(2);
    list.addItem("4");
    list.clear();
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(list.listIndex(), -1) << "clearing leaves no selection";
    EXPECT_EQ(list.listCount(), 0);
    list.addItem("1");
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(ComboBoxTest, DeselectingByCodeIsAChange) {
    list.setListIndex(0);
    runs = 0;
    EXPECT_TRUE(list.setListIndex(-1));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(list.text(), "");
}

TEST_F(ComboBoxTest, AnIndexOutsideTheListIsRefusedAndChangesNothing) {
    list.setListIndex(1);
    runs = 0;
    for (int bad : {3, 7, -2, 32767, -32768}) {
        EXPECT_FALSE(list.setListIndex(bad)) << bad;
        EXPECT_EQ(list.listIndex(), 1);
    }
    EXPECT_EQ(runs, 0);
}

TEST_F(ComboBoxTest, BehaviourMayAssignOtherListsWhichRunTheirsNested) {
    ComboBox other{"Combo2", {"1", "2"}};
    std::vector<std::string> order;
    list.setOnClick([&] {
        order.push_back("list begins");
        other.setListIndex(1);
        order.push_back("list ends");
    });
    other.setOnClick([&] { order.push_back("other"); });
    list.setListIndex(0);
    EXPECT_EQ(order, (std::vector<std::string>{"list begins", "other", "list ends"}));
}

TEST_F(ComboBoxTest, ObserverHearsEveryChangeButNotNoOps) {
    int changes = 0;
    list.setObserver([&] { ++changes; });
    list.setListIndex(0);
    list.setListIndex(0);
    list.addItem("9");
    list.clear();
    list.clear();
    EXPECT_EQ(changes, 3);
}

} // namespace
} // namespace bt

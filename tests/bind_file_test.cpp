#include "form1_fixture.h"

#include "storage/bind_text.h"
#include "storage/file_functions.h"

namespace bt::test {
namespace {

using BindFileTest = Form1Fixture;

// Every key on menu 1, message 1 in Call of Duty 1 / 2.
const std::string kDefaultFile = bindFileBytes("1", std::vector<int>(20, 0));

TEST_F(BindFileTest, FileExistsTellsMissingEmptyAndPresentApart) {
    EXPECT_EQ(FileExists(p, "binds"), -1);
    p.files["binds"] = "";
    EXPECT_EQ(FileExists(p, "binds"), 0);
    p.files["binds"] = "x";
    EXPECT_EQ(FileExists(p, "binds"), 1);
}

TEST_F(BindFileTest, WithoutAFileEveryKeyIsMenu1Message1AndNothingIsWritten) {
    startAndSettle();
    for (int slot = 0; slot < 10; ++slot)
        EXPECT_EQ(binding(slot), std::make_pair(1, 1)) << slot;
    EXPECT_TRUE(c().option1.value());
    EXPECT_TRUE(p.files.empty());
    EXPECT_TRUE(c().timer(3).enabled()) << "keeps waiting for a first Save";
}

TEST_F(BindFileTest, AnEmptyFileIsLikeAMissingOne) {
    p.files["binds"] = "";
    startAndSettle();
    EXPECT_EQ(c().text(1).text(), "Text1");
    EXPECT_EQ(binding(9), std::make_pair(1, 1));
}

TEST_F(BindFileTest, SaveWithoutEverChoosingAVariantWritesTheSentinel) {
    startAndSettle();
    c().command(1).click();
    EXPECT_EQ(p.files["binds"], bindFileBytes("Text3", std::vector<int>(20, 0)));
}

TEST_F(BindFileTest, SaveWritesTheGoldenFile) {
    startAndSettle();
    form->userSelectedOption(2);
    form->userSelectedOption(1);
    c().command(1).click();
    EXPECT_EQ(p.files["binds"], kDefaultFile);
    EXPECT_EQ(c().text(1).text() + "\r\n", kDefaultFile) << "Text1 holds the file's image";
}

TEST_F(BindFileTest, UnitedOffensiveNumpad3OnRequests5ComesBackAfterARestart) {
    startAndSettle();
    form->userSelectedOption(2);
    bind(3, 4, 5);
    c().command(1).click();
    std::vector<int> indices(20, 0);
    indices[6] = 4; // Combo7, message 5
    indices[7] = 3; // Combo8, menu 4
    ASSERT_EQ(p.files["binds"], bindFileBytes("2", indices));

    FakePlatform restarted;
    restarted.files = p.files;
    Form1 again(restarted, kBase);
    again.load();
    restarted.advance(100);
    auto& rc = again.controls();
    EXPECT_TRUE(rc.option2.value());
    EXPECT_EQ(rc.combo(8).listIndex(), 3);
    EXPECT_EQ(rc.combo(7).listIndex(), 4);
    EXPECT_FALSE(rc.timer(3).enabled());
}

TEST_F(BindFileTest, SaveThenRestartRoundTripsEverySlotOfBothVariants) {
    for (Variant v : {Variant::CallOfDuty, Variant::UnitedOffensive}) {
        FakePlatform first;
        Form1 a(first, kBase);
        a.load();
        first.advance(100);
        a.userSelectedOption(v == Variant::CallOfDuty ? 2 : 1);
        a.userSelectedOption(v == Variant::CallOfDuty ? 1 : 2);
        std::vector<std::pair<int, int>> chosen;
        for (const SlotDef& s : kSlots) {
            const int menu = 1 + (s.slot * 7) % menuCount(v);
            const int message = 1 + (s.slot * 5 + 3) % messageCount(v, menu);
            a.userSelected(s.menuCombo, menu - 1);
            a.userSelected(s.messageCombo, message - 1);
            chosen.emplace_back(menu, message);
        }
        a.controls().command(1).click();

        FakePlatform second;
        second.files = first.files;
        Form1 b(second, kBase);
        b.load();
        second.advance(100);
        for (const SlotDef& s : kSlots) {
            EXPECT_EQ(b.controls().combo(s.menuCombo).listIndex() + 1,
                      chosen[static_cast<std::size_t>(s.slot)].first);
            EXPECT_EQ(b.controls().combo(s.messageCombo).listIndex() + 1,
                      chosen[static_cast<std::size_t>(s.slot)].second)
                << "slot " << s.slot;
        }
        b.controls().command(1).click();
        EXPECT_EQ(second.files["binds"], first.files["binds"]) << "saving again changes nothing";
    }
}

TEST_F(BindFileTest, Numpad0KeepsItsMessageWhateverOrderTheOneShotTimersFireIn) {
    std::vector<int> indices(20, 0);
    indices[0] = 2; // Combo1: Responses
    indices[1] = 6; // Combo2: message 7
    p.files["binds"] = bindFileBytes("1", indices);
    start();
    // Fire the restore before the slot-0 refresh, as an event loop may.
    c().timer(3).fire();
    p.advance(100);
    EXPECT_EQ(binding(0), std::make_pair(3, 7));
    EXPECT_FALSE(c().timer(5).enabled());
}

TEST_F(BindFileTest, AFileWhoseWholeTextIsTheSentinelIsNeverAppliedButKeysStillWork) {
    p.files["binds"] = "Text1";
    startAndSettle();
    p.advance(1000);
    EXPECT_EQ(c().text(1).text(), "Text1");
    EXPECT_TRUE(c().timer(3).enabled());
    for (int slot = 0; slot < 10; ++slot)
        EXPECT_EQ(binding(slot), std::make_pair(1, 1)) << "the defaults of a missing file";
    p.tap(kVkNumpad0 + 8);
    p.advance(500);
    EXPECT_EQ(typedKeys(), (std::vector<std::string>{"{v}", "1", "1"}));
}

TEST_F(BindFileTest, AFileWithoutTheTrailingLineOrWithExtraLinesLoadsTheSame) {
    std::vector<int> indices(20, 0);
    indices[4] = 2; // Combo5: slot 2's message 3
    indices[5] = 1; // Combo6: slot 2's menu 2
    const std::string saved = bindFileBytes("1", indices);
    for (const std::string& variant :
         {saved.substr(0, saved.size() - 2), saved + "junk\r\n9\r\n", [&] {
              std::string lf;
              for (char ch : saved)
                  if (ch != '\r')
                      lf += ch;
              return lf;
          }()}) {
        FakePlatform fp;
        fp.files["binds"] = variant;
        Form1 f(fp, kBase);
        f.load();
        fp.advance(100);
        EXPECT_EQ(f.controls().combo(6).listIndex(), 1);
        EXPECT_EQ(f.controls().combo(5).listIndex(), 2);
    }
}

struct DamagedCase {
    const char* name;
    std::string bytes;
};

class DamagedBindFileTest : public Form1Fixture,
                            public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedBindFileTest, LoadsWhatItCanAndEveryKeyStillTypesAWholeSequence) {
    p.files["binds"] = GetParam().bytes;
    startAndSettle();
    EXPECT_FALSE(c().timer(3).enabled());
    for (int n = 1; n <= 20; ++n)
        EXPECT_GE(c().combo(n).listIndex(), 0) << "Combo" << n;
    p.tap(kVkNumpad0 + 6);
    p.advance(500);
    ASSERT_EQ(p.typed.size(), 3u);
    EXPECT_EQ(p.typed[0].keys, "{v}");
    EXPECT_EQ(p.typed[1].keys.size(), 1u);
    EXPECT_EQ(p.typed[2].keys.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedBindFileTest,
    ::testing::Values(DamagedCase{"FewLines", "2\r\n1\r\n3\r\n"}, DamagedCase{"OnlyVariant", "2"},
                      DamagedCase{"NonNumeric", "1\r\nx\r\ny\r\n0\r\n0\r\nfoo\r\n"},
                      DamagedCase{"OutOfRange", bindFileBytes("1", std::vector<int>(20, 9))},
                      DamagedCase{"AllMinusOne", bindFileBytes("2", std::vector<int>(20, -1))},
                      DamagedCase{"Huge", bindFileBytes("1", std::vector<int>(20, 32767))},
                      DamagedCase{"Binary", std::string("\0\xff\x01\r\n\x80\x81\n\n\r", 11)},
                      DamagedCase{"Megabytes", std::string(3 << 20, '7')}),
    [](const auto& info) { return info.param.name; });

TEST_F(BindFileTest, OutOfRangeValuesAreSkippedAndTheRestIsApplied) {
    std::vector<int> indices(20, 0);
    indices[0] = 1;  // Combo1 menu 2
    indices[1] = 42; // Combo2: no such message
    indices[3] = 2;  // Combo4 menu 3
    indices[2] = 6;  // Combo3 message 7
    p.files["binds"] = bindFileBytes("1", indices);
    startAndSettle();
    EXPECT_EQ(binding(0), std::make_pair(2, 1)) << "message kept what the menu rule gave";
    EXPECT_EQ(binding(1), std::make_pair(3, 7));
}

TEST_F(BindFileTest, ABinaryOrHugeFileIsReadNoFurtherThanABindFileCouldBe) {
    p.files["binds"] = std::string(3 << 20, 'A');
    startAndSettle();
    EXPECT_LE(c().text(1).text().size(), kMaxBindFileBytes);
}

TEST_F(BindFileTest, AFailedSaveIsReportedAndKeepsTheBindings) {
    startAndSettle();
    bind(4, 2, 5);
    p.files["binds"] = "old";
    p.writeError = "Read-only file system";
    c().command(1).click();
    ASSERT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_EQ(p.messageBoxes[0].title, "Brontek tarnlow");
    EXPECT_NE(p.messageBoxes[0].prompt.find("Read-only file system"), std::string::npos);
    EXPECT_NE(p.messageBoxes[0].prompt.find("binds"), std::string::npos);
    EXPECT_EQ(p.files["binds"], "old");
    EXPECT_EQ(binding(4), std::make_pair(2, 5));
    p.advance(100); // Timer3 applies the text Save built: nothing changes
    EXPECT_EQ(binding(4), std::make_pair(2, 5));

    p.writeError.reset();
    c().command(1).click();
    EXPECT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_NE(p.files["binds"], "old");
}

TEST_F(BindFileTest, TheFirstSaveWithoutAFileIsAppliedOnceAndTimer3Stops) {
    startAndSettle();
    bind(2, 3, 6);
    c().command(1).click();
    EXPECT_TRUE(c().timer(3).enabled());
    p.advance(100);
    EXPECT_FALSE(c().timer(3).enabled());
    EXPECT_EQ(binding(2), std::make_pair(3, 6));
}

TEST_F(BindFileTest, SaveAfterLoadingAnUnknownVariantWritesItBack) {
    std::vector<int> indices(20, 0);
    p.files["binds"] = bindFileBytes("Text3", indices);
    startAndSettle();
    EXPECT_EQ(c().text(3).text(), "Text3");
    EXPECT_TRUE(c().option1.value());
    c().command(1).click();
    EXPECT_EQ(p.files["binds"], bindFileBytes("Text3", indices));
}

} // namespace
} // namespace bt::test

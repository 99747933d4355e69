// Start-up, the file "binds" and its five-pass restore.

#include "behaviours/binds/bind_text.h"
#include "behaviours/binds/file_functions.h"
#include "main_window_fixture.h"

namespace bt::test {
namespace {

struct BindsTest : MainWindowTest {
    // Every slot's binding as menu*10 + message, in slot order.
    std::vector<int> bindings() {
        std::vector<int> out;
        for (int slot = 0; slot < kSlotCount; ++slot)
            out.push_back(binding(slot).first * 10 + binding(slot).second);
        return out;
    }
};

TEST_F(BindsTest, WithoutAUsableFileEveryKeyIsMenu1Message1AndNothingIsWritten) {
    for (const char* file : std::initializer_list<const char*>{"", "Text1", nullptr}) {
        FakePlatform fp;
        if (file)
            fp.files["binds"] = file;
        Application a(fp, kBase);
        a.start();
        const MainWindowControls& k = a.mainWindow().controls();
        EXPECT_TRUE(k.window.visible());
        EXPECT_EQ(fp.navigations.at(0),
                  std::make_pair(WindowId::Main, std::string(kBase) + "counter.php"));
        fp.advance(1000);
        for (int slot = 0; slot < kSlotCount; ++slot)
            EXPECT_EQ(std::make_pair(k.slotMenu(slot).index(), k.slotMessage(slot).index()),
                      std::make_pair(0, 0));
        EXPECT_FALSE(k.bindApplyTimer.enabled()) << "nothing to apply until a Save";
        EXPECT_FALSE(k.slotZeroRefreshTimer.enabled()) << "slot 0 was refreshed, once";
        EXPECT_EQ(fp.files.count("binds"), file ? 1u : 0u);
    }
    EXPECT_EQ(fileState(p, "binds"), FileState::Missing);
    p.files["binds"] = "";
    EXPECT_EQ(fileState(p, "binds"), FileState::Empty);
    p.files["binds"] = "x";
    EXPECT_EQ(fileState(p, "binds"), FileState::HasContent);
}

TEST_F(BindsTest, SaveWritesTheGoldenFileAndTheFirstSaveIsAppliedOnceAsAWhole) {
    startAndSettle();
    c().saveButton.click();
    EXPECT_EQ(p.files["binds"], bindFileBytes("Text3", std::vector<int>(20, 0)))
        << "no variant chosen yet";
    c().unitedOffensiveOption.select();
    c().callOfDutyOption.select();
    bind(2, 3, 6);
    c().saveButton.click();
    EXPECT_EQ(c().bindText + "\r\n", p.files["binds"]);
    EXPECT_EQ(p.files["binds"],
              bindFileBytes("1", {0, 0, 0, 0, 5, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    c().unitedOffensiveOption.select(); // before the saved text is applied
    p.advance(100);
    EXPECT_TRUE(c().callOfDutyOption.value());
    EXPECT_EQ(binding(2), std::make_pair(3, 6));
    c().saveButton.click();
    EXPECT_FALSE(c().bindApplyTimer.enabled()) << "applied once, never again";
}

TEST_F(BindsTest, Numpad0KeepsItsMessageAndTheKeysAreLiveBeforeTheFileIsApplied) {
    p.files["binds"] =
        bindFileBytes("1", {2, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    start();
    p.press(0);
    c().bindApplyTimer.fire(); // before the slot 0 refresh, as an event loop may
    p.advance(100); // the first poll sees the key; the lists are restored in the same instant
    p.release(0);
    p.advance(300);
    EXPECT_EQ(binding(0), std::make_pair(3, 7));
    EXPECT_FALSE(c().slotZeroRefreshTimer.enabled());
    EXPECT_EQ(typed(), (Typed{{200, "{v}"}, {300, "3"}, {400, "7"}}));
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<int> bindings; // menu*10 + message per slot, as restored
};
class BindFileContentTest : public BindsTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(BindFileContentTest, LoadsWhatItCanAndEveryKeyTypesAWholeSequence) {
    p.files["binds"] = GetParam().bytes;
    startAndSettle();
    EXPECT_FALSE(c().bindApplyTimer.enabled());
    EXPECT_LE(c().bindText.size(), kMaxBindFileBytes);
    EXPECT_EQ(bindings(), GetParam().bindings);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        p.typed.clear();
        p.tap(slot);
        p.advance(400);
        ASSERT_EQ(p.typed.size(), 3u) << slot;
    }
}

std::string lfOnly(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}
// clang-format off
// Numpad 2 on Statements, message 3.
const std::string kSlot2 = bindFileBytes("1", {0, 0, 0, 0, 2, 1, 0, 0, 0, 0,
                                               0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
const std::vector<int> kSlot2Bindings = {11, 11, 23, 11, 11, 11, 11, 11, 11, 11};
const std::vector<int> kDefaults(10, 11);

INSTANTIATE_TEST_SUITE_P(Files, BindFileContentTest, ::testing::Values(
    FileCase{"AsSaved", kSlot2, kSlot2Bindings},
    FileCase{"NoTrailingLine", kSlot2.substr(0, kSlot2.size() - 2), kSlot2Bindings},
    FileCase{"ExtraLines", kSlot2 + "junk\r\n9\r\n", kSlot2Bindings},
    FileCase{"LineFeedsOnly", lfOnly(kSlot2), kSlot2Bindings},
    FileCase{"UnitedOffensiveRequests5OnNumpad3", bindFileBytes("2", {0, 0, 0, 0, 0, 0, 4, 3, 0, 0,
             0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), {11, 11, 11, 45, 11, 11, 11, 11, 11, 11}},
    FileCase{"OutOfRangeSkipped", bindFileBytes("1", {1, 42, 6, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
             0, 0, 0, 0, 0, 0}), {21, 37, 11, 11, 11, 11, 11, 11, 11, 11}},
    FileCase{"FewLines", "2\r\n1\r\n3\r\n", {24, 11, 11, 11, 11, 11, 11, 11, 11, 11}},
    FileCase{"NonNumeric", "1\r\nx\r\n 2 \r\n+1\r\n-0\r\n3.5\r\n70000\r\n",
             {11, 12, 11, 11, 11, 11, 11, 11, 11, 11}},
    FileCase{"AllMinusOne", bindFileBytes("2", std::vector<int>(20, -1)), kDefaults},
    FileCase{"Binary", std::string("\0\xff\x01\r\n\x80\x81\n\n\r", 11), kDefaults},
    FileCase{"Megabytes", std::string(3 << 20, '7'), kDefaults}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST_F(BindsTest, AnUnknownVariantIsKeptAndWrittenBack) {
    p.files["binds"] = "Text3" + kSlot2.substr(1);
    startAndSettle();
    c().saveButton.click();
    EXPECT_EQ(p.files["binds"], "Text3" + kSlot2.substr(1));
    EXPECT_TRUE(c().callOfDutyOption.value());
}

TEST_F(BindsTest, AFailedSaveIsToldAndKeepsTheBindingsAndTheOldFile) {
    startAndSettle();
    bind(4, 2, 5);
    p.files["binds"] = "old";
    p.writeError = "Read-only file system";
    c().saveButton.click();
    ASSERT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_EQ(p.messageBoxes[0].title, "Brontek tarnlow");
    EXPECT_NE(p.messageBoxes[0].prompt.find("\"binds\": Read-only file system"), std::string::npos);
    EXPECT_EQ(p.files["binds"], "old");
    p.advance(100);
    EXPECT_EQ(binding(4), std::make_pair(2, 5));
    p.writeError.reset();
    c().saveButton.click();
    EXPECT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_NE(p.files["binds"], "old");
}

} // namespace
} // namespace bt::test

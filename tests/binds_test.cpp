// Start-up, the file "binds" and its five-pass restore.

#include "behaviours/binds/bind_text.h"
#include "behaviours/binds/file_functions.h"
#include "main_window_fixture.h"

namespace bt::test {
namespace {

using BindsTest = MainWindowTest;

// Every key on menu 1, message 1 in Call of Duty 1 / 2.
const std::string kDefaultFile = bindFileBytes("1", std::vector<int>(20, 0));

TEST_F(BindsTest, TheWindowOpensWithItsDesignAndSelectsDefaultsInFileOrder) {
    FakePlatform fp;
    MainWindow w(fp, kBase);
    MainWindowControls& k = w.controls();
    EXPECT_EQ(k.window.caption(), "Brontek Tarnlow");
    EXPECT_FALSE(k.window.visible()) << "shown after the load step";
    EXPECT_EQ(k.keyLabel(5).caption(), "Numpad 5");
    EXPECT_EQ(k.keyLabel(5).rect(), (Rect{2640, 165, 855, 255}));
    EXPECT_EQ(k.slotMessage(9).rect(), (Rect{4320, 1560, 495, 315}));
    EXPECT_EQ(k.slotMenu(0).items(), digitItems(3));
    EXPECT_EQ(k.slotMessage(0).count(), 8);
    EXPECT_EQ(k.previewMessageList.count(), 7);
    std::vector<std::string> order;
    for (const SlotListRef& ref : kFileOrder)
        k.slotList(ref).setObserver([&, ref] {
            if (k.slotList(ref).index() == 0 &&
                (order.empty() || order.back() != k.slotList(ref).name()))
                order.push_back(k.slotList(ref).name());
        });
    w.load();
    EXPECT_EQ(fp.navigations.at(0).second, std::string(kBase) + "counter.php");
    EXPECT_EQ(fp.navigations.at(0).first, WindowId::Main);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], "slotMenu0");
    EXPECT_EQ(order[1], "slotMessage0");
    EXPECT_EQ(order[2], "slotMessage1") << "Numpad 1's message comes before its menu";
    EXPECT_TRUE(k.window.visible());
}

TEST_F(BindsTest, WithoutAUsableFileEveryKeyIsMenu1Message1AndNothingIsWritten) {
    for (const char* file : std::initializer_list<const char*>{"", "Text1", nullptr}) {
        FakePlatform fp;
        if (file)
            fp.files["binds"] = file;
        Application a(fp, kBase);
        a.start();
        fp.advance(1000);
        const MainWindowControls& k = a.mainWindow().controls();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(k.slotMenu(slot).index(), 0);
            EXPECT_EQ(k.slotMessage(slot).index(), 0);
        }
        EXPECT_FALSE(k.bindApplyTimer.enabled()) << "nothing to apply until a Save";
        EXPECT_EQ(fp.files.count("binds"), file ? 1u : 0u);
        EXPECT_EQ(k.previewMessageLabel.caption(), "Follow me!") << "slot 0 was refreshed";
    }
    EXPECT_EQ(fileState(p, "binds"), FileState::Missing);
    p.files["binds"] = "";
    EXPECT_EQ(fileState(p, "binds"), FileState::Empty);
    p.files["binds"] = "x";
    EXPECT_EQ(fileState(p, "binds"), FileState::HasContent);
}

TEST_F(BindsTest, SaveWritesTheGoldenFileAndTheFirstSaveIsAppliedOnce) {
    startAndSettle();
    c().saveButton.click();
    EXPECT_EQ(p.files["binds"], bindFileBytes("Text3", std::vector<int>(20, 0)))
        << "no variant chosen yet";
    c().unitedOffensiveOption.select();
    c().callOfDutyOption.select();
    c().saveButton.click();
    EXPECT_EQ(p.files["binds"], kDefaultFile);
    EXPECT_EQ(c().bindText + "\r\n", kDefaultFile);
    bind(2, 3, 6);
    c().saveButton.click();
    EXPECT_TRUE(c().bindApplyTimer.enabled()) << "the first Save's text is applied once";
    p.advance(100);
    EXPECT_FALSE(c().bindApplyTimer.enabled());
    EXPECT_EQ(binding(2), std::make_pair(3, 6));
    c().saveButton.click();
    EXPECT_FALSE(c().bindApplyTimer.enabled()) << "and never again";
}

TEST_F(BindsTest, SaveThenRestartRoundTripsEverySlotOfBothVariants) {
    for (Variant v : {Variant::CallOfDuty, Variant::UnitedOffensive}) {
        FakePlatform first;
        Application a(first, kBase);
        a.start();
        first.advance(100);
        MainWindowControls& ka = a.mainWindow().controls();
        ka.unitedOffensiveOption.select();
        (v == Variant::CallOfDuty ? ka.callOfDutyOption : ka.unitedOffensiveOption).select();
        std::vector<std::pair<int, int>> chosen;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int menu = 1 + (slot * 7) % menuCount(v);
            const int message = 1 + (slot * 5 + 3) % messageCount(v, menu);
            ka.slotMenu(slot).setIndex(menu - 1);
            ka.slotMessage(slot).setIndex(message - 1);
            chosen.emplace_back(menu, message);
        }
        ka.saveButton.click();

        FakePlatform second;
        second.files = first.files;
        Application b(second, kBase);
        b.start();
        second.advance(100);
        MainWindowControls& kb = b.mainWindow().controls();
        EXPECT_EQ(kb.unitedOffensiveOption.value(), v == Variant::UnitedOffensive);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(kb.slotMenu(slot).index() + 1, chosen[static_cast<std::size_t>(slot)].first);
            EXPECT_EQ(kb.slotMessage(slot).index() + 1,
                      chosen[static_cast<std::size_t>(slot)].second)
                << "slot " << slot;
        }
        kb.saveButton.click();
        EXPECT_EQ(second.files["binds"], first.files["binds"]) << "saving again changes nothing";
    }
}

TEST_F(BindsTest, Numpad0KeepsItsMessageWhateverOrderTheOneShotTimersFireIn) {
    std::vector<int> indices(20, 0);
    indices[0] = 2; // Numpad 0: Responses
    indices[1] = 6; // message 7
    p.files["binds"] = bindFileBytes("1", indices);
    start();
    c().bindApplyTimer.fire(); // before the slot 0 refresh, as an event loop may
    p.advance(100);
    EXPECT_EQ(binding(0), std::make_pair(3, 7));
    EXPECT_FALSE(c().slotZeroRefreshTimer.enabled());
}

TEST_F(BindsTest, TheKeyPollIsLiveBeforeTheFileIsApplied) {
    std::vector<int> indices(20, 0);
    indices[0] = 1;
    p.files["binds"] = bindFileBytes("1", indices);
    start();
    p.press(0);
    p.advance(100); // the first poll sees the key; the lists are restored in the same instant
    p.release(0);
    p.advance(300);
    EXPECT_EQ(typedKeys(), (std::vector<std::string>{"{v}", "2", "1"}));
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<std::pair<int, int>> expected; // (slot, menu*10+message) checked after start
};

class BindFileContentTest : public MainWindowTest,
                            public ::testing::WithParamInterface<FileCase> {};

TEST_P(BindFileContentTest, LoadsWhatItCanAndEveryKeyTypesAWholeSequence) {
    p.files["binds"] = GetParam().bytes;
    startAndSettle();
    EXPECT_FALSE(c().bindApplyTimer.enabled());
    EXPECT_LE(c().bindText.size(), kMaxBindFileBytes);
    for (const auto& [slot, code] : GetParam().expected)
        EXPECT_EQ(binding(slot), std::make_pair(code / 10, code % 10)) << "slot " << slot;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        p.typed.clear();
        p.tap(slot);
        p.advance(400);
        ASSERT_EQ(p.typed.size(), 3u) << slot;
        EXPECT_EQ(p.typed[1].keys.size() + p.typed[2].keys.size(), 2u);
    }
}

std::string lfOnly(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}
// Numpad 2 on Statements, message 3.
const std::string kSlot2 =
    bindFileBytes("1", {0, 0, 0, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

INSTANTIATE_TEST_SUITE_P(
    Files, BindFileContentTest,
    ::testing::Values(
        FileCase{"AsSaved", kSlot2, {{2, 23}}},
        FileCase{"NoTrailingLine", kSlot2.substr(0, kSlot2.size() - 2), {{2, 23}}},
        FileCase{"ExtraLines", kSlot2 + "junk\r\n9\r\n", {{2, 23}}},
        FileCase{"LineFeedsOnly", lfOnly(kSlot2), {{2, 23}}},
        FileCase{"UnitedOffensiveRequests5OnNumpad3",
                 bindFileBytes("2", {0, 0, 0, 0, 0, 0, 4, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                 {{3, 45}}},
        FileCase{"OutOfRangeSkipped",
                 bindFileBytes("1", {1, 42, 6, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                 {{0, 21}, {1, 37}}},
        FileCase{"FewLines", "2\r\n1\r\n3\r\n", {{0, 24}}}, FileCase{"OnlyVariant", "2", {{9, 11}}},
        FileCase{"NonNumeric", "1\r\nx\r\n 2 \r\n+1\r\n-0\r\n3.5\r\n70000\r\n", {{0, 11}, {1, 12}}},
        FileCase{"AllMinusOne", bindFileBytes("2", std::vector<int>(20, -1)), {{5, 11}}},
        FileCase{"Binary", std::string("\0\xff\x01\r\n\x80\x81\n\n\r", 11), {}},
        FileCase{"Megabytes", std::string(3 << 20, '7'), {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(BindsTest, AFailedSaveIsToldAndKeepsTheBindingsAndTheOldFile) {
    startAndSettle();
    bind(4, 2, 5);
    p.files["binds"] = "old";
    p.writeError = "Read-only file system";
    c().saveButton.click();
    ASSERT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_EQ(p.messageBoxes[0].title, "Brontek tarnlow");
    EXPECT_NE(p.messageBoxes[0].prompt.find("Read-only file system"), std::string::npos);
    EXPECT_NE(p.messageBoxes[0].prompt.find("\"binds\""), std::string::npos);
    EXPECT_EQ(p.files["binds"], "old");
    p.advance(100);
    EXPECT_EQ(binding(4), std::make_pair(2, 5));
    p.writeError.reset();
    c().saveButton.click();
    EXPECT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_NE(p.files["binds"], "old");
}

TEST_F(BindsTest, AnUnknownVariantIsKeptAndWrittenBack) {
    const std::string file = bindFileBytes("Text3", std::vector<int>(20, 0));
    p.files["binds"] = file;
    startAndSettle();
    EXPECT_EQ(c().variant, "Text3");
    EXPECT_TRUE(c().callOfDutyOption.value());
    c().saveButton.click();
    EXPECT_EQ(p.files["binds"], file);
}

} // namespace
} // namespace bt::test

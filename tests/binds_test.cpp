// The file "binds": start-up, Save, and what damaged files restore, as the program has always
// restored them (the binds fuzz target holds every file to the old five-pass restore).

#include "behaviours/binds/bind_store.h"
#include "main_window_fixture.h"

namespace bt::test {
namespace {

struct BindsTest : MainWindowTest {
    // Every slot's binding as menu*10 + message, in slot order.
    std::vector<int> bindings() {
        std::vector<int> out;
        for (const Binding& b : window().profile().bindings)
            out.push_back(b.menu * 10 + b.message);
        return out;
    }
};

TEST_F(BindsTest, SaveWritesTheFilesOrderAndTheNextStartRestoresItBeforeTheWindowShows) {
    start();
    c().unitedOffensiveOption.click();
    bind(0, 3, 7);
    bind(9, 5, 1);
    c().saveButton.click();
    EXPECT_EQ(p.files["binds"],
              bindFileBytes("2", {2, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4}));
    app.reset(); // and the next start
    start();
    EXPECT_EQ(c().slotMenu(9).index(), 4);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Are you crazy?") << "the preview shows Numpad 0";
    p.input.tap(0);
    p.clock.advance(300);
    EXPECT_EQ(typed(), (Typed{{100, "v"}, {200, "3"}, {300, "7"}}));
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<int> bindings; // menu*10 + message per slot, as restored
};
class BindFileContentTest : public BindsTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(BindFileContentTest, RestoresWhatItCan) {
    p.files["binds"] = GetParam().bytes;
    start();
    EXPECT_EQ(bindings(), GetParam().bindings);
}

// clang-format off
// Numpad 2 on Statements, message 3.
const std::string kSlot2 = bindFileBytes("1", {0, 0, 0, 0, 2, 1, 0, 0, 0, 0,
                                               0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

// A few files in the game's words; the binds fuzz target's seeds (which every test run replays)
// hold short, line-feed-only, out-of-range, non-numeric and binary files to what the five passes
// restored, and every key to a whole sequence.
INSTANTIATE_TEST_SUITE_P(Files, BindFileContentTest, ::testing::Values(
    FileCase{"AsSaved", kSlot2, {11, 11, 23, 11, 11, 11, 11, 11, 11, 11}},
    // In a United Offensive file a slot whose menu line is unusable keeps menu 1 and still reads
    // its message line; a menu line of -1, or any other file, gives it message 1.
    FileCase{"UnusableMenuInUnitedOffensive", bindFileBytes("2", {-1, 4, 8, 9, 0, 0, 0, 0, 0, 0,
             0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), {11, 19, 11, 11, 11, 11, 11, 11, 11, 11}},
    FileCase{"Megabytes", std::string(3 << 20, '7'), std::vector<int>(10, 11)}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// Save writes what the start read: without a usable file every key on menu 1 message 1 and no
// game chosen yet (and nothing written before), a first line that names no game as it was.
TEST_F(BindsTest, SaveWritesBackAFirstLineThatNamesNoGameAndWithoutAUsableFileTheDefaults) {
    const std::string defaults = bindFileBytes("Text3", std::vector<int>(20, 0)),
                      slots = kSlot2.substr(1);
    // clang-format off
    for (const auto& [file, saved] : std::vector<std::pair<std::optional<std::string>, std::string>>{
             {"", defaults}, {"Text1", defaults}, {std::nullopt, defaults}, {"Text3" + slots, ""},
             {"3" + slots, ""}, {"2.0" + slots, ""}, {slots, ""}, {" 2" + slots, ""}}) {
        // clang-format on
        SCOPED_TRACE(file.value_or("no file"));
        FakePlatform fp;
        if (file)
            fp.files["binds"] = *file;
        Application a(fp.system(), kBase);
        a.start(0);
        EXPECT_TRUE(a.mainWindow().controls().window.visible());
        EXPECT_EQ(fp.http.requests.at(0), std::string(kBase) + "counter.php");
        EXPECT_EQ(fp.files.count("binds"), file ? 1u : 0u);
        a.mainWindow().controls().saveButton.click();
        EXPECT_EQ(fp.files["binds"], saved.empty() ? *file : saved);
        EXPECT_TRUE(!saved.empty() || a.mainWindow().controls().callOfDutyOption.value());
    }
}

} // namespace
} // namespace bt::test

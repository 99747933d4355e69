// Choosing any key or mouse button as a slot's trigger, for keyboards without a numeric keypad:
// what the labels say, which keys fire which slot, the file "keys", and what a damaged one
// restores.

#include "behaviours/keys/keys_file.h"
#include "main_window_fixture.h"

namespace bt::test {
namespace {

using namespace std::string_literals;

struct TriggerKeysTest : MainWindowTest {
    KeyCode f5 = p.input.addKey(71, "F5");
    KeyCode f6 = p.input.addKey(72, "F6");
    KeyCode v = p.input.addKey(55, "V", KeyKind::TypedByProgram);
    KeyCode digit1 = p.input.addKey(10, "1", KeyKind::TypedByProgram);
    KeyCode ctrl = p.input.addKey(37, "Ctrl", KeyKind::Modifier);

    // A key pressed while the window asks for one: the platform reports it to the choice.
    void pressInWindow(KeyCode key) {
        p.input.pressKey(key);
        p.input.releaseKey(key);
    }
    void choose(int slot, KeyCode key) {
        c().keyLabel(slot).click();
        pressInWindow(key);
    }
    // What the slot's key label says.
    std::string keyName(int slot) { return c().keyLabel(slot).caption(); }
    // The slots whose sequence a key types, pressed once.
    Typed typedBy(KeyCode key) {
        p.typist.typed.clear();
        p.input.pressKey(key);
        p.input.releaseKey(key);
        p.clock.advance(500);
        return typed();
    }
};

TEST_F(TriggerKeysTest, AChosenKeyOrButtonTypesTheSlotsSequenceInsteadOfItsKeypadKey) {
    start();
    bind(3, 2, 5);
    c().keyLabel(3).click();
    EXPECT_EQ(keyName(3), "Press a key\u2026");
    EXPECT_FALSE(c().slotMenu(3).visible()) << "the prompt takes the lists' room";
    EXPECT_GT(c().keyLabel(3).rect().width, kKeyLabelWidth);
    pressInWindow(f5);
    EXPECT_EQ(keyName(3), "F5");
    EXPECT_TRUE(c().slotMenu(3).visible() && c().slotMessage(3).visible());
    EXPECT_EQ(c().keyLabel(3).rect().width, kKeyLabelWidth);
    const Millis t = p.clock.now();
    EXPECT_EQ(typedBy(f5), (Typed{{t + 100, "v"}, {t + 200, "2"}, {t + 300, "5"}}));
    EXPECT_TRUE(typedBy(p.input.keypadKey(3)).empty()) << "Numpad 3 no longer types";
    // A middle or side button is chosen as a key is, named by its number, and kept so.
    const KeyCode mouse4 = KeyCode::of(sideButton(0));
    choose(5, mouse4);
    choose(7, KeyCode::of(MouseButton::Middle));
    EXPECT_EQ(std::make_pair(keyName(5), keyName(7)), std::make_pair("Mouse 4"s, "Middle button"s));
    EXPECT_EQ(typedBy(mouse4).size(), 3u);
    EXPECT_EQ(p.files["keys"], "keypad\r\nkeypad\r\nkeypad\r\nfake 71 F5\r\nkeypad\r\n"
                               "mouse 4 Mouse 4\r\nkeypad\r\nmouse 3 Middle button\r\nkeypad\r\n"
                               "keypad\r\n");
}

// (That a refused key leaves the choice going and a new choice starts without its word, that the
// program's own keys never fire a slot, what Escape and Delete leave, how a chosen key moves
// between slots, and which keys fire what whatever the player does meanwhile, input_sequences_test
// holds.)
TEST_F(TriggerKeysTest, KeysTheProgramTypesModifiersAndTakenKeypadKeysAreRefused) {
    start();
    p.typist.echoAfter = 3; // the desktop hands v 1 1 back just before: they are not the player's
    p.input.tap(1);
    p.clock.advance(310);
    c().keyLabel(6).click();
    for (const auto& [key, word] : {std::pair{v, "The program types V"},
                                    {digit1, "The program types 1"},
                                    {ctrl, "Ctrl is a modifier"},
                                    {p.input.keypadKey(5), "Numpad 5 is taken"}}) {
        pressInWindow(key);
        EXPECT_EQ(keyName(6), word);
    }
    p.input.altHeld = true; // Alt+F6 works the window: no key of the choice
    pressInWindow(f6);
    EXPECT_EQ(keyName(6), "Numpad 5 is taken");
    p.input.altHeld = false;
    pressInWindow(f6);
    EXPECT_EQ(keyName(6), "F6");
}

// (That the left button and the wheel never become triggers, and the mouse is heard only while a
// button is one, the random player holds.)

struct KeysFileCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> labels; // of the first slots; the others stay on the keypad
};
class KeysFileTest : public TriggerKeysTest, public ::testing::WithParamInterface<KeysFileCase> {};

TEST_P(KeysFileTest, WhatTheFileDoesNotNameCleanlyStaysOnTheKeypadWithoutAWord) {
    p.files["keys"] = GetParam().bytes;
    start();
    const auto& labels = GetParam().labels;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        EXPECT_EQ(keyName(slot), s < labels.size() ? labels[s] : keypadName(slot)) << slot;
        const auto chosen = window().triggerKeys().chosen[s]; // and it types on that key
        EXPECT_EQ(typedBy(chosen.value_or(p.input.keypadKey(slot))).size(), 3u) << slot;
    }
    EXPECT_TRUE(p.dialogs.messageBoxes.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, KeysFileTest, ::testing::Values(
    // As saved, then with line feeds only and no names.
    KeysFileCase{"AsSavedOrNot", "fake 71 F5\r\nkeypad\nfake 72\n", {"F5", "Numpad 1", "F6"}},
    KeysFileCase{"TwoSlotsOnOneKey", "fake 71\r\nfake 71\r\n", {"F5"}},
    KeysFileCase{"Short", "keypad\r\nfake 7", {}},
    KeysFileCase{"Buttons", "mouse 4 Mouse 4\r\nmouse 3\r\nmouse 9 Mouse 9\r\nmouse 1\r\n"
                 "mouse 255\r\nmouse 2 Right\r\nmouse 0\r\nmouse 256\r\nmouse 4x\r\nmouse\r\n",
                 {"Mouse 4", "Middle button", "Mouse 9", "Numpad 3", "Mouse 255"}},
    // Unknown or damaged codes, another system's, keys that must not fire, taken keypad keys.
    KeysFileCase{"Damaged", "fake 99 Gone\r\nfake -71\r\nfake 71x\r\nfake 4294967296\r\n"
                 "x11 71 F5\r\nwin32 63 F5\r\nfake 55 V\r\nfake 37 Ctrl\r\n"
                 "fake 1003\r\nfake 1001\r\n", {}},
    KeysFileCase{"Binary", std::string("\0\xff\r\n\x80 71\n\n", 9), {}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

} // namespace
} // namespace bt::test

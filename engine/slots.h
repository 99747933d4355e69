#pragma once

#include <array>

namespace bt {

// One slot per keypad key. For Numpad 0 the menu list is the lower-numbered list of the pair, for
// the others the message list is; the bind file's line order follows the list numbers.
struct SlotDef {
    int slot;         // 0..9
    int virtualKey;   // 96..105
    int label;        // caption label "Numpad k"
    int menuCombo;    // menu list
    int messageCombo; // message list
};

constexpr int kSlotCount = 10;

constexpr std::array<SlotDef, kSlotCount> kSlots = {{
    {0, 96, 1, 1, 2},
    {1, 97, 2, 4, 3},
    {2, 98, 3, 6, 5},
    {3, 99, 4, 8, 7},
    {4, 100, 5, 10, 9},
    {5, 101, 6, 12, 11},
    {6, 102, 7, 14, 13},
    {7, 103, 8, 16, 15},
    {8, 104, 9, 18, 17},
    {9, 105, 10, 20, 19},
}};

// Inside the key watcher a slot travels as its watcher code, slot + 1 (1..10).
constexpr int watcherCode(int slot) {
    return slot + 1;
}

} // namespace bt

#pragma once

#include <array>

namespace bt {

// One bind slot per keypad key, numbered after it: slot k is Numpad k. Its binding is the
// selection of its two lists, the menu list and the message list.
constexpr int kSlotCount = 10;

// Numpad 0 .. Numpad 9 carry the virtual-key codes 96 .. 105 on every backend.
constexpr int kVkNumpad0 = 96;
constexpr int kVkNumpad9 = 105;

enum class SlotList { Menu, Message };

struct SlotListRef {
    int slot;
    SlotList list;
};

// The twenty slot lists in the order the bind file keeps them, which is also the order in which a
// start without a bind file selects their first entries: Numpad 0's menu comes before its message,
// for Numpad 1 to Numpad 9 the message comes first.
constexpr std::array<SlotListRef, 2 * kSlotCount> kFileOrder = {{
    {0, SlotList::Menu},    {0, SlotList::Message}, {1, SlotList::Message}, {1, SlotList::Menu},
    {2, SlotList::Message}, {2, SlotList::Menu},    {3, SlotList::Message}, {3, SlotList::Menu},
    {4, SlotList::Message}, {4, SlotList::Menu},    {5, SlotList::Message}, {5, SlotList::Menu},
    {6, SlotList::Message}, {6, SlotList::Menu},    {7, SlotList::Message}, {7, SlotList::Menu},
    {8, SlotList::Message}, {8, SlotList::Menu},    {9, SlotList::Message}, {9, SlotList::Menu},
}};

} // namespace bt

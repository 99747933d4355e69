// Each key reaches the Windows program twice, as Raw Input (which fires slots) and as a key message
// (which chooses keys): both must give the same code, or a chosen key never fires. The reports
// below are what Windows sends for each key.

#include "backends/win32/key_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace bt::win32 {
namespace {

struct Report {
    const char* key;
    USHORT makeCode; // Raw Input
    USHORT rawFlags;
    USHORT vk;
    LPARAM lParam; // the key message's, for a first press
};

constexpr LPARAM message(unsigned scan, bool extended) {
    return static_cast<LPARAM>(1 | scan << 16 | (extended ? 1u << 24 : 0u));
}

// clang-format off
const Report kReports[] = {
    {"F5", 0x3F, 0, VK_F5, message(0x3F, false)},
    {"Insert", 0x52, RI_KEY_E0, VK_INSERT, message(0x52, true)},
    {"Numpad 0, NumLock off", 0x52, 0, VK_INSERT, message(0x52, false)},
    {"Numpad 0, NumLock on", 0x52, 0, VK_NUMPAD0, message(0x52, false)},
    {"Right Ctrl", 0x1D, RI_KEY_E0, VK_CONTROL, message(0x1D, true)},
    // Pause: E1 1D 45 to Raw Input; NumLock's scan code, without the flag, to key messages.
    {"Pause", 0x1D, RI_KEY_E1, VK_PAUSE, message(0x45, false)},
    // NumLock: no E0 to Raw Input, the extended flag in key messages.
    {"NumLock", 0x45, 0, VK_NUMLOCK, message(0x45, true)},
};
// clang-format on

TEST(Win32KeyCodesTest, RawInputAndKeyMessagesGiveEachKeyOneCode) {
    std::set<unsigned> codes;
    for (const Report& r : kReports) {
        const auto raw = rawKeyCode(r.makeCode, r.rawFlags, r.vk);
        ASSERT_TRUE(raw.has_value()) << r.key;
        EXPECT_EQ(*raw, messageKeyCode(r.vk, r.lParam)) << r.key;
        codes.insert(*raw);
    }
    EXPECT_EQ(codes.size(), std::size(kReports) - 1) << "one code a key, NumLock on or off";
    // The stand-in key after Pause's escaped make code fires nothing.
    EXPECT_FALSE(rawKeyCode(0x45, 0, 0xFF).has_value());
}

} // namespace
} // namespace bt::win32

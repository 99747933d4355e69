// Each key reaches the Windows program as Raw Input, which fires slots and chooses keys: one code
// a key, whatever NumLock says, and none for the stand-in keys of escaped sequences. The reports
// below are what Windows sends for each key.

#include "backends/win32/key_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace bt::win32 {
namespace {

struct Report {
    const char* key;
    USHORT makeCode;
    USHORT flags;
    USHORT vk;
};

// clang-format off
const Report kReports[] = {
    {"F5", 0x3F, 0, VK_F5},
    {"Insert", 0x52, RI_KEY_E0, VK_INSERT},
    {"Numpad 0, NumLock off", 0x52, 0, VK_INSERT},
    {"Numpad 0, NumLock on", 0x52, 0, VK_NUMPAD0},
    {"Right Ctrl", 0x1D, RI_KEY_E0, VK_CONTROL},
    {"Pause", 0x1D, RI_KEY_E1, VK_PAUSE}, // E1 1D 45
    {"NumLock", 0x45, 0, VK_NUMLOCK},
};
// clang-format on

TEST(Win32KeyCodesTest, RawInputGivesEachKeyOneCode) {
    std::set<unsigned> codes;
    for (const Report& r : kReports) {
        const auto raw = rawKeyCode(r.makeCode, r.flags, r.vk);
        ASSERT_TRUE(raw.has_value()) << r.key;
        codes.insert(*raw);
    }
    EXPECT_EQ(codes.size(), std::size(kReports) - 1) << "one code a key, NumLock on or off";
    // The stand-in key after Pause's escaped make code fires nothing.
    EXPECT_FALSE(rawKeyCode(0x45, 0, 0xFF).has_value());
}

} // namespace
} // namespace bt::win32

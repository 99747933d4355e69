#pragma once

// The notification-icon record, filled once at start-up and passed unchanged to every tray call.
// It keeps the fields of the Windows record; other backends take what they need from it.

#include <cstdint>
#include <string>
#include <string_view>

namespace bt {

class Platform;

struct TrayRecord {
    std::uint32_t cbSize = 0;
    std::uint64_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uint64_t hIcon = 0;
    std::string szTip; // 64 characters: the tip, one NUL, spaces

    // The tip as shown: the text before the NUL.
    std::string_view tip() const;
};

constexpr int kTrayDoubleClick = 515; // left button double-click
constexpr int kTrayRightDown = 516;   // right button pressed

TrayRecord makeTrayRecord(const Platform& platform);

} // namespace bt

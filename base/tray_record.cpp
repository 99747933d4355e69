#include "base/tray_record.h"

#include "base/platform.h"

namespace bt {

std::string_view TrayRecord::tip() const {
    const std::string_view all(szTip);
    return all.substr(0, all.find('\0'));
}

TrayRecord makeTrayRecord(const Platform& platform) {
    TrayRecord r;
    r.cbSize = 88;
    r.hIcon = platform.windowIconHandle(WindowId::Main);
    r.hWnd = platform.windowHandle(WindowId::Main);
    std::string tip("Brontek tarnlow");
    tip.push_back('\0');
    tip.resize(64, ' ');
    r.szTip = std::move(tip);
    r.uCallbackMessage = 512;
    r.uFlags = 7;
    r.uID = 1;
    return r;
}

} // namespace bt

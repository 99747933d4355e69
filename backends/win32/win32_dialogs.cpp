#include "backends/win32/win32_dialogs.h"

#include "backends/win32/input_box.h"
#include "backends/win32/wide.h"
#include "backends/win32/window_dpi.h"
#include "base/twips.h"

namespace bt::win32 {

std::string Win32Dialogs::inputBox(std::string_view prompt, std::string_view title,
                                   std::string_view defaultText, int leftTwips, int topTwips) {
    // The box is placed in screen twips, from the primary screen's corner: the screen's scale.
    const Twips twips = windowTwips(nullptr);
    return narrow(runInputBox(instance_, owner_, widen(prompt), widen(title), widen(defaultText),
                              twips.px(leftTwips), twips.px(topTwips)));
}

void Win32Dialogs::messageBox(std::string_view prompt, std::string_view title) {
    MessageBoxW(owner_, widen(prompt).c_str(), widen(title).c_str(), MB_OK);
}

char Win32Dialogs::decimalSeparator() const {
    wchar_t buf[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 0 && buf[0] < 0x80 &&
        buf[0] != 0 && buf[1] == 0)
        return static_cast<char>(buf[0]);
    return '.';
}

} // namespace bt::win32

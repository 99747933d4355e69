#pragma once

#include <windows.h>

#include <string>

namespace bt::win32 {

// A small modal dialog: prompt, one line of text, OK and Cancel, placed at (x, y) on the screen in
// pixels. Returns the text, or an empty text on Cancel.
std::wstring runInputBox(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                         const std::wstring& title, const std::wstring& defaultText, int x, int y);

} // namespace bt::win32

#pragma once

// For the end-to-end tests under Wine only: with BRONTEK_TEST_PROBE naming a file, the program
// writes its windows and controls (names, texts, places on the screen) there whenever a message it
// handled may have changed them, in the same form as the Linux program, so one harness reads both.

#include <windows.h>

namespace bt {
class Application;
}

namespace bt::win32 {
class MainWindowView;
class NewsWindowView;
class Win32Tray;
class Win32Clock;

// The tray is reported for the notices it showed, which Wine draws in a window of its explorer;
// the clock for the system timer it took and whether Windows let it out of power throttling.
void startTestProbe(Application& app, MainWindowView& mainView, NewsWindowView* const& newsView,
                    const Win32Tray& tray, const Win32Clock& clock);

} // namespace bt::win32

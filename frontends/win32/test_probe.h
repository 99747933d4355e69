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

void startTestProbe(Application& app, MainWindowView& mainView, NewsWindowView* const& newsView);

} // namespace bt::win32

#pragma once

// What the program asks of the desktop around it: a window brought forward, a web page opened in
// the player's browser, and its own end.

#include <string_view>

namespace bt {

enum class WindowId { Main, News };

class Desktop {
  public:
    virtual ~Desktop() = default;
    // Raises the window above the others and gives it the focus, where the desktop allows. Only
    // for what the player or the program's design asks for (Show, a second start, the news
    // window opening): views never bring a window forward when its state changes.
    virtual void bringToFront(WindowId window) = 0;
    // Opens a web address (http or https only; the caller checks) with the system's default
    // handler; the result is not reported.
    virtual void openLink(std::string_view url) = 0;
    // Ends the process at once; nothing of the windows runs any more.
    virtual void endProcess() = 0;
};

} // namespace bt

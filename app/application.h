#pragma once

// The program: the main window from start, the news window at its end, and the end of the process
// with the last window.

#include "app/main_window.h"
#include "app/news_window.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace bt {

class Application {
  public:
    // serverUrl: the server base URL, or none when the program is to ask no server at all.
    Application(const System& system, std::optional<std::string> serverUrl);

    // Opens the main window, or with intoTray puts it away at once; now is the time on the
    // platform's clock.
    void start(Millis now, bool intoTray = false);
    // The player started the program again: the copy already running comes to the front, out
    // of the tray if it is there, and the new one ends.
    void anotherCopyStarted();

    MainWindow& mainWindow() { return main_; }
    NewsWindow* newsWindow() { return news_.get(); }

    // The front end learns here that the news window exists, to build its view.
    void setOnNewsWindowCreated(std::function<void(NewsWindow&)> f) {
        onNewsWindowCreated_ = std::move(f);
    }

  private:
    void mainWindowClosing();
    void windowGone();

    System system_;
    MainWindow main_;
    std::unique_ptr<NewsWindow> news_;
    std::function<void(NewsWindow&)> onNewsWindowCreated_;
};

} // namespace bt

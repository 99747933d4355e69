#pragma once

// The news window: opened at the end of the run with the server base URL and the news item's
// identifier; downloads its feed, lays itself out, follows the pointer over its links, and when
// the player ticked its box remembers the declined news item in "data" as it closes. Its state
// (the identifier, whether the news is declined, the feed's layout) lives here; its controls show
// it.

#include "base/news_window_controls.h"
#include "base/system/desktop.h"
#include "base/system/dialogs.h"
#include "base/system/files.h"
#include "base/system/http.h"
#include "base/time/timer.h"
#include "behaviours/news/news_download.h"
#include "behaviours/news/news_layout.h"
#include "behaviours/news/news_links.h"

#include <functional>
#include <optional>
#include <string>

namespace bt {

class NewsWindow {
  public:
    NewsWindow(Files& files, Dialogs& dialogs, Http& http, Clock& clock, Desktop& desktop);
    NewsWindow(const NewsWindow&) = delete;
    NewsWindow& operator=(const NewsWindow&) = delete;

    NewsWindowControls& controls() { return c_; }
    const NewsWindowControls& controls() const { return c_; }

    // Shows the window (not modal) and starts the download.
    void open(const std::string& serverUrl, const std::string& newsId);
    // Closes the window, never refused; "data" is written if the news is declined.
    void close();
    bool isOpen() const { return open_; }
    void setOnClosed(std::function<void()> f) { onClosed_ = std::move(f); }

    NewsLinks& links() { return links_; }
    // A click on the page area opens its page in the player's browser.
    void pageClicked();

    bool declined() const { return declined_; }
    const std::string& newsId() const { return newsId_; }

  private:
    void laidOut(const NewsDownload::Lines& lines);
    void showHover(int k);
    void showPointer();
    void showState();

    Files& files_;
    Dialogs& dialogs_;
    NewsWindowControls c_;
    std::string newsId_;
    bool declined_ = false;
    std::optional<NewsLayout> layout_;
    NewsDownload download_;
    NewsLinks links_;
    bool open_ = false;
    std::function<void()> onClosed_;
};

} // namespace bt

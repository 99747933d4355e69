#pragma once

// The news window's model: opened at the end of the run with the server base URL and the news
// identifier; downloads its feed, lays itself out, and may remember a declined news item in "data".

#include "base/news_window_controls.h"
#include "behaviours/news/news_download.h"
#include "behaviours/news/news_links.h"

#include <functional>
#include <string>

namespace bt {

class NewsWindow {
  public:
    explicit NewsWindow(Platform& platform);
    NewsWindow(const NewsWindow&) = delete;
    NewsWindow& operator=(const NewsWindow&) = delete;

    NewsWindowControls& controls() { return w_; }
    const NewsWindowControls& controls() const { return w_; }

    // Shows the window (not modal) with the two values the main window hands over and starts
    // the download.
    void open(const std::string& serverUrl, const std::string& newsId);

    // Closing step and unload; never refused.
    void unload();
    bool loaded() const { return loaded_; }
    void setOnUnloaded(std::function<void()> f) { onUnloaded_ = std::move(f); }

    NewsLinks& links() { return links_; }
    NewsDownload& download() { return download_; }

  private:
    void closingStep();

    Platform& platform_;
    NewsWindowControls w_;
    NewsDownload download_;
    NewsLinks links_;
    bool loaded_ = false;
    std::function<void()> onUnloaded_;
};

} // namespace bt

#pragma once

// The news window: opened at the end of the run with the server base URL and the news item's
// identifier; downloads its feed, lays itself out, follows the pointer over its links, and may
// remember a declined news item in "data" when it closes.

#include "base/news_window_controls.h"
#include "behaviours/news/news_download.h"
#include "behaviours/news/news_layout.h"
#include "behaviours/news/news_links.h"

#include <functional>
#include <optional>
#include <string>

namespace bt {

class NewsWindow {
  public:
    explicit NewsWindow(Platform& platform);
    NewsWindow(const NewsWindow&) = delete;
    NewsWindow& operator=(const NewsWindow&) = delete;

    NewsWindowControls& controls() { return c_; }
    const NewsWindowControls& controls() const { return c_; }

    // Shows the window (not modal) and starts the download.
    void open(const std::string& serverUrl, const std::string& newsId);

    // Closing step and unload; never refused.
    void unload();
    bool loaded() const { return loaded_; }
    void setOnUnloaded(std::function<void()> f) { onUnloaded_ = std::move(f); }

    NewsLinks& links() { return links_; }
    // A click on the page area opens its page in the player's browser.
    void pageClicked();
    // The feed's layout, once it has come.
    const std::optional<NewsLayout>& layout() const { return layout_; }

  private:
    void laidOut(const NewsDownload::Lines& lines);
    void showHover(int k);
    void showPointer();
    void closingStep();

    Platform& platform_;
    NewsWindowControls c_;
    std::optional<NewsLayout> layout_;
    NewsDownload download_;
    NewsLinks links_;
    bool loaded_ = false;
    std::function<void()> onUnloaded_;
};

} // namespace bt

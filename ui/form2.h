#pragma once

// The news window's model: opened at the end of the run with the server base URL and the news
// identifier; downloads its feed, lays itself out, and may remember a declined news item in "data".

#include "net/news_download.h"
#include "net/news_links.h"
#include "ui/form2_controls.h"

#include <functional>
#include <string>

namespace bt {

class Form2 {
  public:
    explicit Form2(Platform& platform);
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    Form2Controls& controls() { return c_; }
    const Form2Controls& controls() const { return c_; }

    // Loads the window with the two values Form1 hands over, shows it (not modal), starts Timer2.
    void open(const std::string& serverBaseUrl, const std::string& newsId);

    // Closing step and unload; never refused.
    void unload();
    bool loaded() const { return loaded_; }
    void setOnUnloaded(std::function<void()> f) { onUnloaded_ = std::move(f); }

    NewsLinks& links() { return links_; }
    NewsDownload& download() { return download_; }

  private:
    void closingStep();

    Platform& platform_;
    Form2Controls c_;
    NewsDownload download_;
    NewsLinks links_;
    bool loaded_ = false;
    std::function<void()> onUnloaded_;
};

} // namespace bt

#pragma once

// The news window's download: two seconds after the window opens the feed is asked; once it has
// come, the break token; then the feed is cut into lines and the window laid out. Each step goes on
// from the previous one's result. A failure stops the sequence for good: no retry, the window keeps
// its "Connecting to server.." look and stays closable.

#include "base/system/transfer.h"
#include "base/time/timer.h"

#include <functional>
#include <string>
#include <vector>

namespace bt {

class NewsDownload {
  public:
    using Lines = std::vector<std::string>;
    NewsDownload(Http& http, Clock& clock, std::function<void(const Lines&)> onFeed);

    void start(std::string serverUrl);
    void stop();

  private:
    void askFeed();
    void feedArrived(const HttpResult& result);
    void tokenArrived(const HttpResult& result);

    Clock& clock_;
    std::function<void(const Lines&)> onFeed_;
    std::string serverUrl_;
    std::string feed_;
    Transfer transfer_;
    Alarm delay_; // the feed is asked a while after the window opens
};

} // namespace bt

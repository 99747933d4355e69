#pragma once

#include "base/platform.h"

#include <functional>
#include <string>

namespace bt {

// A window's link to the server. A transfer starts at once and its result arrives later on the UI
// thread, so nothing ever waits for the network. At most one transfer is in flight.
class Transfer {
  public:
    explicit Transfer(Platform& platform) : platform_(platform) {}
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;
    ~Transfer() { cancel(); }

    // Starts a GET unless one is already running (then does nothing).
    void start(std::string url, std::function<void(const HttpResult&)> done);
    bool running() const { return running_; }
    void cancel();
    // Of the last completed transfer; 0 = completed with a 2xx answer.
    int responseCode() const { return responseCode_; }

  private:
    Platform& platform_;
    bool running_ = false;
    HttpRequestId id_ = 0;
    int responseCode_ = 0;
};

} // namespace bt

#pragma once

#include "base/system/http.h"

#include <functional>
#include <string>

namespace bt {

// A window's link to the server. A transfer starts at once and its result arrives later on the UI
// thread, where it continues whatever asked for it; nothing ever waits for the network. At most
// one transfer is in flight.
class Transfer {
  public:
    explicit Transfer(Http& http) : http_(http) {}
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;
    ~Transfer() { cancel(); }

    // Starts a GET unless one is already running (then does nothing).
    void start(std::string url, std::function<void(const HttpResult&)> done);
    bool running() const { return running_; }
    // The result of a cancelled transfer never arrives.
    void cancel();

  private:
    Http& http_;
    bool running_ = false;
    HttpRequestId id_ = 0;
};

} // namespace bt

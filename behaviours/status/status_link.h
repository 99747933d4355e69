#pragma once

// The main window's thin link to the server: the status poll, the connect timeout, the blink and
// shrink of the status strip, and the decision at exit whether the news window opens.

#include "base/system/transfer.h"
#include "base/time/timer.h"
#include "behaviours/status/server_status.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

struct NewsHandOff {
    std::string serverUrl;
    std::string newsId; // line 2 of the status answer
};

class StatusLink {
  public:
    // onChange runs after every change of the status, for the window to show it. Without a server
    // URL nothing is ever asked.
    StatusLink(Http& http, Clock& clock, std::optional<std::string> serverUrl, ServerStatus& status,
               std::function<void()> onChange);

    // Counts the start on the counter page, whose answer is never read, and polls once a second
    // from now until an answer decides the status; says CANNOT CONNECT when none has come after
    // 10 s. Without a server it only says so: no request, no timer.
    void start();
    // No more polls, blinks or answers (the window closed, or the program ends at once).
    void stop();
    // A poll's transfer is under way.
    bool asking() const { return transfer_.running(); }

    // News opens when line 1 of the answer is "on" and line 2 differs from the identifier the
    // player declined. An answer without a line 2 offers no news.
    std::optional<NewsHandOff> newsDecision(std::string_view declinedId) const;

  private:
    void pollTick();
    void statusArrived(const HttpResult& result);
    void separatorArrived(const HttpResult& result);
    void timeoutTick();
    void blinkTick();
    void decide(ServerStatus::Shown shown);

    Http& http_;
    Clock& clock_;
    std::optional<std::string> serverUrl_;
    ServerStatus& status_;
    std::function<void()> onChange_;
    Transfer transfer_;
    std::string answerText_; // as it came, for the separator to cut
    Timer pollTimer_;
    Timer blinkTimer_;
    Timer timeoutTimer_;
};

} // namespace bt

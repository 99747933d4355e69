#pragma once

// The main window's thin link to the server: the status poll, the connect timeout, the blink and
// shrink of the status label, and the decision at unload whether the news window opens.

#include <cstdint>
#include <optional>
#include <string>

namespace bt {

class MainWindowControls;
class Platform;
struct HttpResult;

struct NewsHandOff {
    std::string serverUrl; // copied when the server answered
    std::string newsId;    // line 2 of the status text
};

// Outer height of the main window once the blink is over: the status strip is cut off.
constexpr int kShrunkHeight = 3585;
// The stored identifier is one short line; a larger "data" file is read no further than this.
constexpr std::size_t kMaxDataFileBytes = 64 * 1024;

class StatusLink {
  public:
    StatusLink(MainWindowControls& w, Platform& platform);

    void pollTick();
    void timeoutTick();
    void blinkTick();

    // News opens when line 1 of the status text is "on" and its line 2 differs from the declined
    // identifier. A status text without a line 2 offers no news.
    std::optional<NewsHandOff> newsDecision() const;

    const std::string& requestUrl() const { return requestUrl_; }
    int blinkStep() const { return blinkStep_; }

  private:
    void statusArrived(const HttpResult& result);
    void separatorArrived(const HttpResult& result);

    MainWindowControls& w_;
    Platform& platform_;
    std::string requestUrl_;
    int blinkStep_ = 0;
};

} // namespace bt

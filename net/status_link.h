#pragma once

// The main window's thin link to the server: the status poll (Timer6), the connection timeout
// (Timer8), the blink and shrink of the status label (Timer7), and the decision at unload whether
// the news window opens.

#include <cstdint>
#include <optional>
#include <string>

namespace bt {

class Form1Controls;
class Platform;
struct HttpResult;

struct NewsHandOff {
    std::string serverBaseUrl; // Form1's Text7, copied when the answer arrived
    std::string newsId;        // line 2 of the status text
};

class StatusLink {
  public:
    StatusLink(Form1Controls& f, Platform& platform) : f_(f), platform_(platform) {}

    void wire();

    void pollTick();    // Timer6_Timer
    void timeoutTick(); // Timer8_Timer
    void blinkTick();   // Timer7_Timer

    // Unload step 2: news opens when line 1 of the status text is "on" and its line 2 differs from
    // the stored identifier. A status text without a line 2 offers no news.
    std::optional<NewsHandOff> newsDecision() const;

    const std::string& requestUrl() const { return RequestUrl; }
    std::int16_t blinkStep() const { return BlinkStep; }

  private:
    void statusArrived(const HttpResult& result);
    void separatorArrived(const HttpResult& result);

    Form1Controls& f_;
    Platform& platform_;
    std::string RequestUrl;
    std::int16_t BlinkStep = 0;
};

// Outer height of the main window once the blink is over: the status strip is cut off.
constexpr int kShrunkHeight = 3585;
// The stored identifier is one short line; a larger "data" file is read no further than this.
constexpr std::size_t kMaxDataFileBytes = 64 * 1024;

} // namespace bt

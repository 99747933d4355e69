#pragma once

// The news window's controls with their design values; the feed replaces most of them.

#include "base/controls/button.h"
#include "base/controls/check_box.h"
#include "base/controls/label.h"
#include "base/controls/page_view.h"
#include "base/controls/text_box.h"
#include "base/controls/timer.h"
#include "base/controls/transfer.h"
#include "base/controls/window.h"
#include "base/platform.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>

namespace bt {

constexpr int kNewsClientWidth = 1860;
constexpr int kNewsClientHeight = 540;
constexpr int kLinkCount = 6;

class NewsWindowControls {
  public:
    explicit NewsWindowControls(Platform& platform);
    NewsWindowControls(const NewsWindowControls&) = delete;
    NewsWindowControls& operator=(const NewsWindowControls&) = delete;

    // Link label k, k = 1..6.
    Label& linkLabel(int k) { return links_.at(static_cast<std::size_t>(k - 1)); }

    Window window;
    Label newsText;
    Label openLinkLabel; // opens the hovered link
    Label probeLabel;    // shows the pointer's position in twips, for whoever writes feeds
    Label connectingLabel;
    CheckBox declineBox;
    Button exitButton;
    PageView pageView;
    TextBox newsId; // the news identifier, which declining the news writes to "data"
    Transfer feedTransfer;

    Timer tokenTimer{1, false};
    Timer feedDownloadTimer{2000, true};
    Timer layoutTimer{1, false};
    Timer probeTimer{1, false};
    std::array<Timer*, 4> timers() {
        return {&tokenTimer, &feedDownloadTimer, &layoutTimer, &probeTimer};
    }

    // Working values.
    std::string feedText; // the feed as downloaded, then normalised
    std::string serverUrl = "server URL";
    std::string breakToken = "Text3"; // the feed's line-break token
    int responseCode = 0;             // of the last transfer, as the window last showed it
    std::string requestUrl;
    std::array<std::string, kLinkCount> linkTarget{}; // what a click on link label k opens
    std::string hoveredLinkTarget;                    // what a click on the open-link label opens
    std::int16_t pointerX = 0;                        // twips
    std::int16_t pointerY = 0;
    const std::string declinedNewsFileName = "data";

  private:
    std::deque<Label> links_;
};

} // namespace bt

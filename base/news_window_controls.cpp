#include "base/news_window_controls.h"

#include <string>

namespace bt {

NewsWindowControls::NewsWindowControls()
    : window("newsWindow", "Brontek news", kNewsClientWidth, kNewsClientHeight),
      newsText("newsText", "", {1680, 2160, 5055, 735}),
      // The open-link label and the probe show their design captions wherever a feed leaves
      // them inside the window, until a hover or the probe says otherwise.
      openLinkLabel("openLinkLabel", "Link_click", {5520, 4080, 1695, 255}),
      probeLabel("probeLabel", "point", {3600, 5040, 1335, 255}),
      connectingLabel("connectingLabel", "Connecting to server..", {120, 120, 3495, 495}),
      declineBox("declineBox", "Do not show this window next time.", {360, 5640, 3135, 255}),
      exitButton("exitButton", "Exit", kNewsExitButton),
      pageView("pageView", {4560, 7800, 4095, 1335}),
      newsIdBox("newsIdBox", "", {1800, 5880, 615, 285}) {
    const Rect places[kLinkCount] = {{600, 3000, 1695, 255},  {2160, 3000, 1695, 255},
                                     {3720, 3000, 1695, 255}, {600, 3360, 1695, 255},
                                     {2160, 3360, 1695, 255}, {3720, 3360, 1695, 255}};
    for (int k = 1; k <= kLinkCount; ++k)
        links_.emplace_back("link" + std::to_string(k), "", places[k - 1]);

    // Link and click labels are drawn in the highlight colour, bold; the feed sets their size.
    Font linkFont;
    linkFont.bold = true;
    for (Label* l : {&linkLabel(1), &linkLabel(2), &linkLabel(3), &linkLabel(4), &linkLabel(5),
                     &linkLabel(6), &openLinkLabel}) {
        l->setForeColor(SysColor::Highlight);
        l->setFont(linkFont);
    }
    // The page area shows nothing until the feed says so.
    pageView.setVisible(false);
}

} // namespace bt

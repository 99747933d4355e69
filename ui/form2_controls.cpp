#include "ui/form2_controls.h"

namespace bt {

Form2Controls::Form2Controls(Platform& platform)
    : form("Form2", "Brontek news", kForm2ClientWidth, kForm2ClientHeight),
      check1("Check1", "Do not show this window next time.", {360, 5640, 3135, 255}),
      command1("Command1", "Exit", {1680, 3840, 1095, 375}),
      command2("Command2", "Command2", {2640, 7200, 855, 375}),
      webBrowser1("WebBrowser1", platform, WindowId::Form2, {4560, 7800, 4095, 1335}),
      inet1(platform) {
    labels_.emplace_back("Label1", "Label1", Rect{1680, 2160, 5055, 735});
    const Rect links[6] = {{600, 3000, 1695, 255},  {2160, 3000, 1695, 255},
                           {3720, 3000, 1695, 255}, {600, 3360, 1695, 255},
                           {2160, 3360, 1695, 255}, {3720, 3360, 1695, 255}};
    for (int k = 1; k <= 6; ++k)
        labels_.emplace_back("Label" + std::to_string(k + 1), "Link" + std::to_string(k),
                             links[k - 1]);
    labels_.emplace_back("Label8", "Label8", Rect{6240, 1680, 1335, 255});
    labels_.emplace_back("Label9", "Link_click", Rect{5520, 4080, 1695, 255});
    labels_.emplace_back("Label10", "point", Rect{3600, 5040, 1335, 255});
    labels_.emplace_back("Label11", "Connecting to server..", Rect{120, 120, 3495, 495});
    label(8).setVisible(false);

    // Link and click labels are drawn in the highlight colour, bold; the feed sets their size.
    Font linkFont;
    linkFont.bold = true;
    linkFont.charset = 177;
    for (int n : {2, 3, 4, 5, 6, 7, 9}) {
        label(n).setForeColor(SysColor::Highlight);
        label(n).setFont(linkFont);
    }

    texts_.emplace_back("Text1", "", Rect{720, 6600, 8055, 5775});
    texts_.emplace_back("Text2", "server URL", Rect{720, 1680, 5535, 285});
    texts_.emplace_back("Text3", "Text3", Rect{7560, 1680, 495, 285});
    texts_.emplace_back("Text4", "Text4", Rect{1800, 5880, 615, 285});
    for (int n = 1; n <= 3; ++n)
        text(n).setVisible(false);
    command2.setVisible(false);
    // The page area shows nothing until the feed says so.
    webBrowser1.setVisible(false);

    timers_.emplace_back("Timer1", 1, false);
    timers_.emplace_back("Timer2", 2000, true);
    timers_.emplace_back("Timer3", 1, false);
    timers_.emplace_back("Timer4", 1, false);
}

} // namespace bt

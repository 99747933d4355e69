#include "ui/form1_controls.h"

#include "catalogue/voice_menu.h"
#include "engine/slots.h"

namespace bt {

namespace {

constexpr int kComboHeight = 315;
constexpr std::array<int, 5> kRowTops = {120, 480, 840, 1200, 1560};

std::string numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

} // namespace

Form1Controls::Form1Controls(Platform& platform, std::string serverBaseUrl)
    : form("Form1", "Brontek Tarnlow", kForm1ClientWidth, kForm1ClientHeight),
      option1("Option1", "Call of Duty 1 / 2", {2640, 2040, 1695, 255}),
      option2("Option2", "United Offensive", {2640, 2325, 1935, 255}),
      webBrowser1("WebBrowser1", platform, WindowId::Form1, {4560, 3240, 375, 375}),
      inet1(platform) {
    for (int n = 1; n <= 10; ++n) {
        const int row = (n - 1) % 5;
        const int left = n <= 5 ? 120 : 2640;
        labels_.emplace_back(numbered("Label", n), "Numpad " + std::to_string(n - 1),
                             Rect{left, kRowTops[static_cast<std::size_t>(row)] + 45, 855, 255});
    }
    labels_.emplace_back("Label11", "Key interval (ms)", Rect{6000, 720, 1335, 255});
    labels_.emplace_back("Label12", "Commands", Rect{120, 2040, 2055, 255});
    labels_.emplace_back("Label13", "..!", Rect{120, 2325, 1935, 255});
    labels_.emplace_back("Label14", "Connecting to server...", Rect{1275, 3360, 2415, 255});
    labels_.emplace_back("Label15", "Connecting to server...", Rect{6000, 3960, 2415, 255});
    labels_.emplace_back("Label16", "Connecting to server...", Rect{6000, 4320, 2415, 255});
    label(11).setVisible(false);
    Font status;
    status.size = 9.75;
    status.bold = true;
    label(14).setFont(status);
    label(14).setForeColor(SysColor::Highlight);
    label(15).setForeColor(SysColor::Desktop);
    label(16).setForeColor(SysColor::Highlight);
    label(15).setVisible(false);
    label(16).setVisible(false);

    // The twenty slot lists in number order; each takes its place from its slot's row and column.
    for (int n = 1; n <= 20; ++n) {
        for (const SlotDef& s : kSlots) {
            const bool isMenu = s.menuCombo == n;
            if (!isMenu && s.messageCombo != n)
                continue;
            const int column = s.slot < 5 ? (isMenu ? 1200 : 1800) : (isMenu ? 3720 : 4320);
            const int top = kRowTops[static_cast<std::size_t>(s.slot % 5)];
            // Design items: menu lists "1".."3", message lists "1".."8".
            combos_.emplace_back(numbered("Combo", n),
                                 isMenu ? menuItems(Variant::CallOfDuty)
                                        : messageItems(Variant::CallOfDuty, 1),
                                 Rect{column, top, 495, kComboHeight});
        }
    }
    combos_.emplace_back("Combo21", menuItems(Variant::UnitedOffensive),
                         Rect{600, 4080, 495, kComboHeight});
    // Combo22's design items are "1".."7", the count of Responses in Call of Duty 1 / 2.
    combos_.emplace_back("Combo22", messageItems(Variant::CallOfDuty, 3),
                         Rect{1320, 4080, 495, kComboHeight});
    combo(21).setVisible(false);
    combo(22).setVisible(false);

    texts_.emplace_back("Text1", "Text1", Rect{7200, 240, 2295, 4335});
    texts_.emplace_back("Text2", "100", Rect{6000, 1080, 975, 285});
    texts_.emplace_back("Text3", "Text3", Rect{6000, 240, 975, 285});
    texts_.emplace_back("Text4", "offline\r\n", Rect{6000, 1440, 975, 285});
    texts_.emplace_back("Text5", std::move(serverBaseUrl), Rect{6000, 1800, 975, 285});
    texts_.emplace_back("Text6", "Text6", Rect{6000, 2160, 975, 285});
    texts_.emplace_back("Text7", "Text7", Rect{6000, 2520, 975, 285});
    texts_.emplace_back("Text8", "data", Rect{6000, 2880, 975, 285});
    for (TextBox& t : texts_)
        t.setVisible(false);

    commands_.emplace_back("Command1", "Save", Rect{2520, 2760, 975, 375});
    commands_.emplace_back("Command2", "Exit", Rect{3600, 2760, 975, 375});
    commands_.emplace_back("Command3", "load binds", Rect{7320, 3960, 1215, 435});
    commands_.emplace_back("Command4", "Command4", Rect{1920, 4200, 495, 195});
    commands_.emplace_back("Command5", "Interval", Rect{1440, 2760, 975, 375});
    commands_.emplace_back("Command6", "Start", Rect{360, 2760, 975, 375});
    command(3).setVisible(false);
    command(4).setVisible(false);

    timers_.emplace_back("Timer1", 100, true);
    timers_.emplace_back("Timer2", 200, false);
    timers_.emplace_back("Timer3", 100, true);
    timers_.emplace_back("Timer4", 1000, true);
    timers_.emplace_back("Timer5", 100, true);
    timers_.emplace_back("Timer6", 1000, true);
    timers_.emplace_back("Timer7", 300, false);
    timers_.emplace_back("Timer8", 10000, true);

    option1.setDesignValue(true);
    OptionButton::group({&option1, &option2});
}

} // namespace bt

#pragma once

// The main window's controls with their design values, and the working values the window keeps.
// State lives here: a slot's binding is the selection of its two lists, and several initial texts
// are sentinels the behaviours test against ("Text1": no bind text yet; "Text3": no variant yet).

#include "base/controls/button.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/label.h"
#include "base/controls/option_button.h"
#include "base/controls/page_view.h"
#include "base/controls/timer.h"
#include "base/controls/transfer.h"
#include "base/controls/window.h"
#include "base/platform.h"
#include "base/slots.h"

#include <array>
#include <deque>
#include <string>

namespace bt {

constexpr int kMainClientWidth = 4890;
constexpr int kMainClientHeight = 3645;

class MainWindowControls {
  public:
    MainWindowControls(Platform& platform, std::string serverUrl);
    MainWindowControls(const MainWindowControls&) = delete;
    MainWindowControls& operator=(const MainWindowControls&) = delete;

    // A slot's controls, by slot number (0..9, Numpad 0..9).
    Label& keyLabel(int slot) { return slot_(slot).key; }
    DropDownList& slotMenu(int slot) { return slot_(slot).menu; }
    DropDownList& slotMessage(int slot) { return slot_(slot).message; }
    const DropDownList& slotMenu(int slot) const { return slot_(slot).menu; }
    const DropDownList& slotMessage(int slot) const { return slot_(slot).message; }
    DropDownList& slotList(SlotListRef ref) {
        return ref.list == SlotList::Menu ? slotMenu(ref.slot) : slotMessage(ref.slot);
    }

    Window window;

    // The preview of the slot whose list changed last. The two lists behind it are never shown.
    DropDownList previewMenuList;
    DropDownList previewMessageList;
    Label previewMenuLabel;
    Label previewMessageLabel;

    OptionButton callOfDutyOption;
    OptionButton unitedOffensiveOption;

    Button startButton;
    Button intervalButton;
    Button saveButton;
    Button exitButton;

    Label statusLabel;
    PageView counterPage;
    Transfer statusTransfer;

    Timer keyPollTimer{100, true};
    Timer keySendTimer{200, false};
    Timer bindApplyTimer{100, true};
    Timer slotZeroRefreshTimer{100, true};
    Timer statusPollTimer{1000, true};
    Timer blinkTimer{300, false};
    Timer connectTimeoutTimer{10000, true};
    std::array<Timer*, 7> timers() {
        return {&keyPollTimer,    &keySendTimer, &bindApplyTimer,     &slotZeroRefreshTimer,
                &statusPollTimer, &blinkTimer,   &connectTimeoutTimer};
    }

    // Working values the user never sees.
    std::string bindText = "Text1";         // the bind file's text, as read or as last saved
    std::string keyInterval = "100";        // milliseconds between two typed keys, as typed
    std::string variant = "Text3";          // "1" Call of Duty 1 / 2, "2" United Offensive
    std::string statusText = "offline\r\n"; // the server's answer
    std::string serverUrl;                  // the server base URL
    std::string separatorText = "Text6";    // the status answer's line-break token
    std::string newsServerUrl = "Text7";    // the server base URL, once the server has answered
    std::string declinedNewsId = "data";    // what the file "data" holds
    const std::string bindFileName = "binds";

  private:
    struct Slot {
        Slot(int slot, Rect keyRect, Rect menuRect, Rect messageRect);
        Label key;
        DropDownList menu;
        DropDownList message;
    };
    Slot& slot_(int slot) { return slots_.at(static_cast<std::size_t>(slot)); }
    const Slot& slot_(int slot) const { return slots_.at(static_cast<std::size_t>(slot)); }

    std::deque<Slot> slots_;
};

} // namespace bt

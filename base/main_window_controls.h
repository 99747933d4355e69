#pragma once

// The main window's controls with their design places and captions: what the views show. The
// main window fills them from the program's state; the player's picks and clicks come in through
// them.

#include "base/bind_profile.h"
#include "base/controls/button.h"
#include "base/controls/check_box.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/label.h"
#include "base/controls/option_button.h"
#include "base/controls/window.h"

#include <deque>

namespace bt {

// Wide enough for two columns of slots whose lists show each entry's name or text whole.
constexpr int kMainClientWidth = 12825;
constexpr int kMainClientHeight = 4365;
constexpr int kKeyLabelWidth = 1095;

class MainWindowControls {
  public:
    MainWindowControls();
    MainWindowControls(const MainWindowControls&) = delete;
    MainWindowControls& operator=(const MainWindowControls&) = delete;

    // A slot's controls, by slot number (0..9, Numpad 0..9).
    Label& keyLabel(int slot) { return slot_(slot).key; }
    DropDownList& slotMenu(int slot) { return slot_(slot).menu; }
    DropDownList& slotMessage(int slot) { return slot_(slot).message; }
    const DropDownList& slotMenu(int slot) const { return slot_(slot).menu; }
    const DropDownList& slotMessage(int slot) const { return slot_(slot).message; }

    Window window;

    // The preview: the menu name and the message text of the slot whose binding changed last.
    Label previewMenuLabel;
    Label previewMessageLabel;

    OptionButton callOfDutyOption;
    OptionButton unitedOffensiveOption;

    Button startButton;
    Button intervalButton;
    Button saveButton;
    Button exitButton;

    // Keeping the messages to the game, and making a program count as the game.
    CheckBox onlyInGameBox;
    Button gameButton;
    // Starting with the desktop, into the tray; its caption is the system's word for it.
    CheckBox loginStartBox;

    Label statusLabel;

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

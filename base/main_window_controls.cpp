#include "base/main_window_controls.h"

#include "base/keys.h"
#include "base/texts.h"

#include <array>
#include <string>

namespace bt {

namespace {

constexpr int kListHeight = 315;
constexpr std::array<int, 5> kRowTops = {120, 480, 840, 1200, 1560};
// A slot's key label, then its menu list ("2 Statements") and its message list ("7 Enemy heavy
// tank spotted?"), each wide enough for its longest entry; the right column as the left one.
constexpr int kMenuLeft = 1320, kMenuWidth = 1695;
constexpr int kMessageLeft = 3120, kMessageWidth = 3225;
constexpr int kRightColumn = 6360;

} // namespace

MainWindowControls::Slot::Slot(int slot, Rect keyRect, Rect menuRect, Rect messageRect)
    : key("keyLabel" + std::to_string(slot), keypadName(slot), keyRect),
      menu("slotMenu" + std::to_string(slot), {}, menuRect),
      message("slotMessage" + std::to_string(slot), {}, messageRect) {}

MainWindowControls::MainWindowControls()
    : window("mainWindow", kMainCaption, kMainClientWidth, kMainClientHeight),
      previewMenuLabel("previewMenuLabel", "", {120, 2040, 2895, 255}),
      previewMessageLabel("previewMessageLabel", "", {120, 2325, 2895, 255}),
      callOfDutyOption("callOfDutyOption", "Call of Duty 1 / 2", {3120, 2040, 2415, 255}),
      unitedOffensiveOption("unitedOffensiveOption", "United Offensive", {3120, 2325, 2415, 255}),
      startButton("startButton", "Start", {360, 2760, 975, 375}),
      intervalButton("intervalButton", "Interval", {1440, 2760, 975, 375}),
      saveButton("saveButton", "Save", {2520, 2760, 975, 375}),
      exitButton("exitButton", "Exit", {3600, 2760, 975, 375}),
      onlyInGameBox("onlyInGameBox", "Only in the game", {360, 3300, 1935, 255}),
      gameButton("gameButton", "", {2520, 3240, 2895, 375}),
      loginStartBox("loginStartBox", "", {360, 3660, 2415, 255}),
      statusLabel("statusLabel", "", {1275, 4080, 3495, 255}) {
    // Slots 0..4 in the left column, 5..9 in the right one, a row each.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int column = slot < 5 ? 0 : kRightColumn;
        const int top = kRowTops[static_cast<std::size_t>(slot % 5)];
        slots_.emplace_back(slot, Rect{column + 120, top + 45, kKeyLabelWidth, 255},
                            Rect{column + kMenuLeft, top, kMenuWidth, kListHeight},
                            Rect{column + kMessageLeft, top, kMessageWidth, kListHeight});
    }
    Font status;
    status.size = 9.75;
    status.bold = true;
    statusLabel.setFont(status);
}

} // namespace bt

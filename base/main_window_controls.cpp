#include "base/main_window_controls.h"

namespace bt {

namespace {

constexpr int kListHeight = 315;
constexpr std::array<int, 5> kRowTops = {120, 480, 840, 1200, 1560};

} // namespace

MainWindowControls::Slot::Slot(int slot, Rect keyRect, Rect menuRect, Rect messageRect)
    // Design items: menu lists "1".."3", message lists "1".."8", no selection.
    : key("keyLabel" + std::to_string(slot), "Numpad " + std::to_string(slot), keyRect),
      menu("slotMenu" + std::to_string(slot), digitItems(3), menuRect),
      message("slotMessage" + std::to_string(slot), digitItems(8), messageRect) {}

MainWindowControls::MainWindowControls(Platform& platform, std::string serverBaseUrl)
    : window("mainWindow", "Brontek Tarnlow", kMainClientWidth, kMainClientHeight),
      previewMenuList("previewMenuList", digitItems(5), {600, 4080, 495, kListHeight}),
      // "1".."7", the count of Responses in Call of Duty 1 / 2.
      previewMessageList("previewMessageList", digitItems(7), {1320, 4080, 495, kListHeight}),
      previewMenuLabel("previewMenuLabel", "Commands", {120, 2040, 2055, 255}),
      previewMessageLabel("previewMessageLabel", "..!", {120, 2325, 1935, 255}),
      callOfDutyOption("callOfDutyOption", "Call of Duty 1 / 2", {2640, 2040, 1695, 255}),
      unitedOffensiveOption("unitedOffensiveOption", "United Offensive", {2640, 2325, 1935, 255}),
      startButton("startButton", "Start", {360, 2760, 975, 375}),
      intervalButton("intervalButton", "Interval", {1440, 2760, 975, 375}),
      saveButton("saveButton", "Save", {2520, 2760, 975, 375}),
      exitButton("exitButton", "Exit", {3600, 2760, 975, 375}),
      statusLabel("statusLabel", "Connecting to server...", {1275, 3360, 2415, 255}),
      counterPage("counterPage", platform, WindowId::Main, {4560, 3240, 375, 375}),
      statusTransfer(platform), serverUrl(std::move(serverBaseUrl)) {
    // Slots 0..4 in the left column, 5..9 in the right one, a row each.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool left = slot < 5;
        const int top = kRowTops[static_cast<std::size_t>(slot % 5)];
        slots_.emplace_back(slot, Rect{left ? 120 : 2640, top + 45, 855, 255},
                            Rect{left ? 1200 : 3720, top, 495, kListHeight},
                            Rect{left ? 1800 : 4320, top, 495, kListHeight});
    }

    Font status;
    status.size = 9.75;
    status.bold = true;
    statusLabel.setFont(status);
    statusLabel.setForeColor(SysColor::Highlight);

    callOfDutyOption.setDesignValue(true);
    OptionButton::group({&callOfDutyOption, &unitedOffensiveOption});
}

} // namespace bt

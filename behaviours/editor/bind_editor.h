#pragma once

// How the player's choices change the bind profile, and which slot the preview shows: the one whose
// binding changed last.

#include "base/bind_profile.h"

#include <string_view>

namespace bt {

class BindEditor {
  public:
    explicit BindEditor(BindProfile& profile) : profile_(profile) {}

    // The slot and numbers come from the slot's lists, which offer only what the game has.
    // Another menu for a slot: its message goes back to message 1, even when the old number exists
    // in the new menu too. The menu the slot has already changes nothing.
    void chooseMenu(int slot, int menu);
    // Another message for a slot. The message it has already changes nothing.
    void chooseMessage(int slot, int message);
    // Another game: every slot goes back to menu 1, message 1 of its catalogue, and the preview to
    // slot 0. The game whose catalogue is in use changes nothing; in particular a click on Call of
    // Duty while no game is chosen leaves it not chosen, and "binds" keeps its first line.
    void chooseGame(Game game);

    int previewSlot() const { return previewSlot_; }
    std::string_view previewMenu() const;
    std::string_view previewMessage() const;

  private:
    Binding& slot(int s) { return profile_.bindings[static_cast<std::size_t>(s)]; }

    BindProfile& profile_;
    int previewSlot_ = 0;
};

} // namespace bt

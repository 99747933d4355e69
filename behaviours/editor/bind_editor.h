#pragma once

// How the slot lists, the variant switch and the preview change. Each behaviour rests on the
// lists' change notification: one that assigns an index runs the assigned list's behaviour inside
// the assignment, so the nesting below is exactly the order in which things happen.

#include "behaviours/editor/voice_menu.h"

namespace bt {

class MainWindowControls;

class BindEditor {
  public:
    // Installs the behaviours of the twenty slot lists, the preview menu list and the options.
    explicit BindEditor(MainWindowControls& w);

    Variant variant() const;

    // A slot's menu list changed: its message list is refilled for that menu, message 1 chosen.
    void menuChosen(int slot);
    // A slot's message list changed: the preview moves to that slot.
    void messageChosen(int slot);
    // The preview's menu name and message list follow the preview menu list.
    void showPreviewMenu();
    // The preview's message text follows the preview lists.
    void showPreviewText();
    // Every slot goes back to menu 1, message 1 of the new variant.
    void switchVariant(Variant v);

  private:
    MainWindowControls& w_;
};

} // namespace bt

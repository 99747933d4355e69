#pragma once

// The rules by which the slot lists, the variant switch and the preview change. They rest on the
// lists' change notification: a rule that assigns an index runs the assigned list's rule inside
// the assignment, so the nesting below is exactly the order in which things happen.

#include "catalogue/voice_menu.h"

namespace bt {

class Form1Controls;

class BindEditor {
  public:
    explicit BindEditor(Form1Controls& f) : f_(f) {}

    // Installs Combo1_Click .. Combo21_Click, Command4_Click, Option1_Click and Option2_Click.
    void wire();

    Variant variant() const;

    void menuListChanged(int slot);    // rule M
    void messageListChanged(int slot); // rule G
    void previewMenu();                // rule P1 (Combo21_Click)
    void previewText();                // rule P2 (Command4_Click)
    void switchVariant(Variant v);     // rule V

  private:
    void refillMessages(int comboNumber, int count);

    Form1Controls& f_;
};

} // namespace bt

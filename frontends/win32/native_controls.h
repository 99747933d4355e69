#pragma once

// Native controls that mirror the control models: every model change is copied to its control;
// the user's actions come back through the window's WM_COMMAND.

#include "base/controls/button.h"
#include "base/controls/check_box.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/label.h"
#include "base/controls/option_button.h"
#include "base/controls/text_box.h"
#include "base/twips.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace bt::win32 {

// What the window procedures need to know about a child: its model and its name (for the tests'
// probe).
struct Child {
    std::string name;
    Label* label = nullptr;
    // What the control shows now, so a model change touches only what changed: moving, showing
    // or enabling a control the player is using (a dropped-down list) breaks its hold on the
    // mouse and keyboard.
    Rect rect{-1, -1, -1, -1};
    int width = -1; // in pixels, wider than the design's where the text needs it
    bool visible = false;
    bool enabled = true;
    // What a change of scale places and draws again.
    const Control* model = nullptr;
    int heightFactor = 1;
    Font font;
    HFONT hfont = nullptr;
};

class NativeControls {
  public:
    NativeControls(HWND parent, Twips twips) : parent_(parent), twips_(twips) {}
    ~NativeControls();

    // wrap: long captions break into lines (the news text); otherwise they are cut at the edge.
    HWND label(Label& model, bool wrap);
    HWND list(DropDownList& model, int id);
    HWND button(Button& model, int id);
    HWND option(OptionButton& model, int id);
    HWND check(CheckBox& model, int id);
    HWND edit(TextBox& model, int id);

    // Label colours for WM_CTLCOLORSTATIC; nullptr when the control is no label of ours.
    HBRUSH colour(HWND control, HDC dc);
    const std::map<HWND, Child>& children() const { return children_; }
    const Twips& twips() const { return twips_; }
    // Every control placed again and its font made again at another scale.
    void rescale(Twips twips);
    // The window has its size: the room beside each control is known, and a control whose text
    // needs more than its designed width takes it.
    void fitToWindow();
    // A control placed outside these (the news window's page area), which none of them covers.
    void keepClear(const Control& model) { clear_.push_back(&model); }
    // The width in pixels the control's whole text needs in its font, with what the control
    // draws beside it (a box, an arrow, a button's edges); 0 for text that breaks into lines.
    int textWidth(HWND control) const;

  private:
    HWND create(const wchar_t* cls, DWORD style, int id, const std::string& name);
    // Places, sizes, enables and shows the control as its model says; heightFactor makes room
    // for a list's drop-down.
    void place(HWND w, const Control& model, int heightFactor = 1);
    void setFont(HWND w, const Font& f);
    // The width the control is shown at (fittedWidth), in pixels.
    int fittedWidthPx(HWND w, const Rect& design) const;

    HWND parent_;
    Twips twips_;
    std::vector<const Control*> clear_;
    int clientWidthPx_ = 0; // the window's, as it was last sized; 0 before
    std::map<HWND, Child> children_;
};

} // namespace bt::win32

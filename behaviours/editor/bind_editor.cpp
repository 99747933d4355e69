#include "behaviours/editor/bind_editor.h"

#include "base/main_window_controls.h"

#include <string>

namespace bt {

namespace {

// The message count the editor offers for a menu list's text: none when the text names no menu of
// the variant, and then the step that would refill does nothing.
int countForText(Variant v, const std::string& text) {
    const auto menu = digitValue(text);
    return menu ? messageCount(v, *menu) : 0;
}

// Clears the list and fills it with "1" up to count; selects nothing, so nothing runs.
void refill(DropDownList& list, int count) {
    list.clear();
    for (const std::string& item : digitItems(count))
        list.addItem(item);
}

// The preview's texts: every entry but Statements 7 and 8 reads the same in both variants.
std::string_view previewMessage(int menu, const std::string& messageDigit, Variant variant) {
    const auto message = digitValue(messageDigit);
    if (!message)
        return {};
    if (menu == 2 && (*message == 7 || *message == 8))
        return messageText(variant, 2, *message);
    return messageText(Variant::UnitedOffensive, menu, *message);
}

} // namespace

BindEditor::BindEditor(MainWindowControls& w) : w_(w) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        w_.slotMenu(slot).setBehaviour([this, slot] { menuChosen(slot); });
        w_.slotMessage(slot).setBehaviour([this, slot] { messageChosen(slot); });
    }
    w_.previewMenuList.setBehaviour([this] { showPreviewMenu(); });
    w_.callOfDutyOption.setOnClick([this] { switchVariant(Variant::CallOfDuty); });
    w_.unitedOffensiveOption.setOnClick([this] { switchVariant(Variant::UnitedOffensive); });
}

Variant BindEditor::variant() const {
    return w_.unitedOffensiveOption.value() ? Variant::UnitedOffensive : Variant::CallOfDuty;
}

void BindEditor::menuChosen(int slot) {
    DropDownList& menu = w_.slotMenu(slot);
    w_.previewMenuList.setIndex(menu.index());
    showPreviewMenu();
    const int count = countForText(variant(), menu.text());
    if (count == 0)
        return;
    refill(w_.slotMessage(slot), count);
    // Refilling left the list without a selection, so this runs messageChosen for the slot.
    w_.slotMessage(slot).setIndex(0);
}

void BindEditor::messageChosen(int slot) {
    w_.previewMenuList.setIndex(w_.slotMenu(slot).index());
    showPreviewMenu();
    // While a bind file is being applied, the preview list may still hold fewer items than this
    // message's index (the previous slot's menu). The preview then stays as it is; the later
    // passes bring it in line.
    if (!w_.previewMessageList.setIndex(w_.slotMessage(slot).index()))
        return;
    showPreviewText();
}

void BindEditor::showPreviewMenu() {
    const std::string& text = w_.previewMenuList.text();
    if (const auto menu = digitValue(text))
        w_.previewMenuLabel.setCaption(std::string(menuName(*menu)));
    const int count = countForText(variant(), text);
    if (count == 0)
        return;
    refill(w_.previewMessageList, count);
    w_.previewMessageList.setIndex(0);
}

void BindEditor::showPreviewText() {
    const std::string& message = w_.previewMessageList.text();
    auto show = [&](int menu) {
        if (const auto text = previewMessage(menu, message, variant()); !text.empty())
            w_.previewMessageLabel.setCaption(std::string(text));
    };
    // Menus 1..4 are told by the preview menu list, Vehicles by the menu label, as the window
    // always did: it shows the Vehicles text when the list has no selection but the label still
    // reads "Vehicles" from an earlier slot.
    if (const auto menu = digitValue(w_.previewMenuList.text()); menu && *menu <= 4)
        show(*menu);
    if (w_.previewMenuLabel.caption() == "Vehicles")
        show(5);
}

void BindEditor::switchVariant(Variant v) {
    w_.variant = std::to_string(static_cast<int>(v)); // "1" or "2", as the bind file keeps it
    const int menus = menuCount(v);
    for (int slot = 0; slot < kSlotCount; ++slot)
        refill(w_.slotMenu(slot), menus);
    refill(w_.previewMenuList, menus);
    for (int slot = 0; slot < kSlotCount; ++slot)
        w_.slotMenu(slot).setIndex(0);
    // The preview ends on slot 0, whichever slot it showed before.
    menuChosen(0);
}

} // namespace bt

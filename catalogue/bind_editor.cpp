#include "catalogue/bind_editor.h"

#include "engine/slots.h"
#include "ui/form1_controls.h"

#include <string>

namespace bt {

namespace {

// The count the editor offers for a menu list's text: none when the text names no menu of the
// variant, and then the step that would refill does nothing.
int countForText(Variant v, const std::string& text) {
    const auto menu = digitValue(text);
    return menu ? messageCount(v, *menu) : 0;
}

// The preview's texts: every entry but Statements 7 and 8 reads the same in both variants.
std::string_view previewMessage(int menu, const std::string& messageDigit, bool callOfDuty) {
    const auto message = digitValue(messageDigit);
    if (!message)
        return {};
    if (menu == 2 && (*message == 7 || *message == 8))
        return messageText(callOfDuty ? Variant::CallOfDuty : Variant::UnitedOffensive, 2,
                           *message);
    return messageText(Variant::UnitedOffensive, menu, *message);
}

} // namespace

void BindEditor::wire() {
    for (const SlotDef& s : kSlots) {
        f_.combo(s.menuCombo).setOnClick([this, slot = s.slot] { menuListChanged(slot); });
        f_.combo(s.messageCombo).setOnClick([this, slot = s.slot] { messageListChanged(slot); });
    }
    f_.combo(21).setOnClick([this] { previewMenu(); });
    f_.command(4).setOnClick([this] { previewText(); });
    f_.option1.setOnClick([this] { switchVariant(Variant::CallOfDuty); });
    f_.option2.setOnClick([this] { switchVariant(Variant::UnitedOffensive); });
}

Variant BindEditor::variant() const {
    return f_.option2.value() ? Variant::UnitedOffensive : Variant::CallOfDuty;
}

void BindEditor::refillMessages(int comboNumber, int count) {
    ComboBox& list = f_.combo(comboNumber);
    list.clear();
    for (int i = 1; i <= count; ++i)
        list.addItem(std::string(1, static_cast<char>('0' + i)));
}

void BindEditor::menuListChanged(int slot) {
    const SlotDef& s = kSlots[static_cast<std::size_t>(slot)];
    ComboBox& menu = f_.combo(s.menuCombo);
    f_.combo(21).setListIndex(menu.listIndex());
    previewMenu();
    const int count = countForText(variant(), menu.text());
    if (count == 0)
        return;
    refillMessages(s.messageCombo, count);
    // Clearing left the list without a selection, so this runs rule G for the slot.
    f_.combo(s.messageCombo).setListIndex(0);
}

void BindEditor::messageListChanged(int slot) {
    const SlotDef& s = kSlots[static_cast<std::size_t>(slot)];
    f_.combo(21).setListIndex(f_.combo(s.menuCombo).listIndex());
    previewMenu();
    // In the restore's first pass the preview list may hold fewer items than the message index
    // (it still has the previous slot's menu). The preview then stays as it is; the later passes
    // bring it in line.
    if (!f_.combo(22).setListIndex(f_.combo(s.messageCombo).listIndex()))
        return;
    previewText();
}

void BindEditor::previewMenu() {
    const std::string& text = f_.combo(21).text();
    if (const auto menu = digitValue(text); menu && !menuName(*menu).empty())
        f_.label(12).setCaption(std::string(menuName(*menu)));
    const int count = countForText(variant(), text);
    if (count == 0)
        return;
    refillMessages(22, count);
    f_.combo(22).setListIndex(0);
}

void BindEditor::previewText() {
    const std::string& menuText = f_.combo(21).text();
    const std::string& message = f_.combo(22).text();
    const bool callOfDuty = f_.option1.value();
    // Five independent tests; the last one looks at the caption, not at the menu list, as the
    // window always did.
    for (int menu = 1; menu <= 4; ++menu) {
        if (digitValue(menuText) == menu) {
            if (auto t = previewMessage(menu, message, callOfDuty); !t.empty())
                f_.label(13).setCaption(std::string(t));
        }
    }
    if (f_.label(12).caption() == "Vehicles") {
        if (auto t = previewMessage(5, message, callOfDuty); !t.empty())
            f_.label(13).setCaption(std::string(t));
    }
}

void BindEditor::switchVariant(Variant v) {
    f_.text(3).setText(v == Variant::CallOfDuty ? "1" : "2");
    const auto items = menuItems(v);
    for (const SlotDef& s : kSlots) {
        ComboBox& menu = f_.combo(s.menuCombo);
        menu.clear();
        for (const auto& item : items)
            menu.addItem(item);
    }
    f_.combo(21).clear();
    for (const auto& item : items)
        f_.combo(21).addItem(item);
    for (const SlotDef& s : kSlots)
        f_.combo(s.menuCombo).setListIndex(0);
    menuListChanged(0);
}

} // namespace bt

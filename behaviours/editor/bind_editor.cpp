#include "behaviours/editor/bind_editor.h"

namespace bt {

void BindEditor::chooseMenu(int s, int menu) {
    if (slot(s).menu == menu)
        return;
    slot(s) = Binding{menu, 1};
    previewSlot_ = s;
}

void BindEditor::chooseMessage(int s, int message) {
    if (slot(s).message == message)
        return;
    slot(s).message = message;
    previewSlot_ = s;
}

void BindEditor::chooseGame(Game game) {
    if (game == profile_.catalogue())
        return;
    profile_.game = game;
    profile_.bindings.fill(Binding{});
    previewSlot_ = 0;
}

std::string_view BindEditor::previewMenu() const {
    return menuName(profile_.bindings[static_cast<std::size_t>(previewSlot_)].menu);
}

std::string_view BindEditor::previewMessage() const {
    const Binding& b = profile_.bindings[static_cast<std::size_t>(previewSlot_)];
    return messageText(profile_.catalogue(), b.menu, b.message);
}

} // namespace bt

#include "behaviours/binds/binds_codec.h"

#include "base/numbers.h"

#include <algorithm>
#include <optional>

namespace bt {

namespace {

// A slot's two lines as numbers, where they hold one.
struct SlotLines {
    std::optional<int> menu, message;
};

// The file's lines as read: line 1 whole, the others as the numbers they hold, by slot.
struct FileLines {
    std::string game;
    std::array<SlotLines, kSlotCount> slots{};

    std::optional<int>& entry(const BindsCodec::Line& line) {
        SlotLines& slot = slots[static_cast<std::size_t>(line.slot)];
        return line.field == BindsCodec::Field::Menu ? slot.menu : slot.message;
    }
};

FileLines split(std::string_view text) {
    FileLines lines;
    for (std::size_t n = 0; n <= BindsCodec::kLines.size(); ++n) {
        const std::size_t lf = text.find('\n');
        std::string_view piece = text.substr(0, lf);
        if (lf != std::string_view::npos && piece.ends_with('\r'))
            piece.remove_suffix(1);
        if (n == 0)
            lines.game = std::string(piece);
        else if (const auto v = parseInt16(piece))
            lines.entry(BindsCodec::kLines[n - 1]) = *v;
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

// A slot as its two lines restore it. In a United Offensive file every slot starts at menu 1,
// message 1 (choosing that game resets the slots before the lines are read); in any other file a
// slot starts with no menu. A menu line of -1 leaves the slot with no menu; a slot left without a
// menu gets menu 1, message 1; a usable menu line resets the message to 1 before the message line
// is read against that menu.
Binding restoreSlot(Game game, bool resetFirst, const SlotLines& lines) {
    std::optional<int> menu = resetFirst ? std::optional<int>(1) : std::nullopt;
    if (lines.menu && *lines.menu >= 0 && *lines.menu < menuCount(game))
        menu = *lines.menu + 1;
    else if (lines.menu == -1)
        menu.reset();
    if (!menu)
        return Binding{};
    const int message = lines.message ? *lines.message + 1 : 0;
    return Binding{*menu, hasMessage(game, *menu, message) ? message : 1};
}

} // namespace

bool BindsCodec::meansNoFile(std::string_view text) {
    // A file holding exactly this text has always been taken for no file at all (it is what the
    // program held before it had read one); it restores nothing and names no game.
    return text == "Text1";
}

BindProfile BindsCodec::read(std::string_view text) {
    const FileLines lines = split(text.substr(0, kMaxBindFileBytes));
    BindProfile profile;
    if (lines.game == "1")
        profile.game = Game::CallOfDuty;
    else if (lines.game == "2")
        profile.game = Game::UnitedOffensive;
    else
        gameLine_ = lines.game;
    const bool resetFirst = profile.game == Game::UnitedOffensive;
    std::transform(
        lines.slots.begin(), lines.slots.end(), profile.bindings.begin(),
        [&](const SlotLines& slot) { return restoreSlot(profile.catalogue(), resetFirst, slot); });
    return profile;
}

std::string BindsCodec::write(const BindProfile& profile) const {
    std::string text = !profile.game                           ? gameLine_
                       : profile.game == Game::UnitedOffensive ? "2"
                                                               : "1";
    text += "\r\n";
    for (const Line& line : kLines) {
        const Binding& b = profile.bindings[static_cast<std::size_t>(line.slot)];
        text += std::to_string((line.field == Field::Menu ? b.menu : b.message) - 1);
        text += "\r\n";
    }
    return text + "\r\n";
}

} // namespace bt

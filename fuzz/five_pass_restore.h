#pragma once

// How the program used to restore "binds", kept as the reference the bind file's codec is held
// to by the binds fuzz target: the twenty slot lists as lists whose selection change runs their
// behaviour inside the assignment, the game switch, five passes over the file's lines, and a first
// entry for every list left without a selection. What the passes leave (the game and every slot's
// two entries, and the first line Save writes back) is what the codec must restore from any file.

#include "base/numbers.h"
#include "base/voice_menu.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace bt::test {

class FivePassRestore {
  public:
    struct List {
        int count;
        int index = -1;
    };
    struct Result {
        bool unitedOffensive = false;
        std::string gameLine;          // what Save writes as line 1
        std::array<int, 20> entries{}; // in file order
    };

    // text: the file as read (at most 4 KiB), or nullopt for no usable file.
    static Result run(const std::optional<std::string>& text) {
        FivePassRestore r;
        if (!text || *text == "Text1") {
            for (int line = 0; line < 20; ++line)
                r.set(line, 0);
        } else {
            for (int pass = 0; pass < 5; ++pass)
                r.pass(*text);
            for (int line = 0; line < 20; ++line)
                if (r.list(line).index == -1)
                    r.set(line, 0);
        }
        Result out{r.game_ == Game::UnitedOffensive, r.gameLine_, {}};
        for (int line = 0; line < 20; ++line)
            out.entries[static_cast<std::size_t>(line)] = r.list(line).index;
        return out;
    }

  private:
    // File lines 0 and 1 are Numpad 0's menu and message; from then on each slot's message comes
    // before its menu.
    static int slotOf(int line) { return line < 2 ? 0 : line / 2; }
    static bool isMenu(int line) { return line == 0 || (line >= 2 && line % 2 == 1); }
    List& list(int line) {
        return isMenu(line) ? menus_[static_cast<std::size_t>(slotOf(line))]
                            : messages_[static_cast<std::size_t>(slotOf(line))];
    }

    void set(int line, int index) {
        List& l = list(line);
        if (index < -1 || index >= l.count || index == l.index)
            return;
        l.index = index;
        if (isMenu(line))
            menuChanged(slotOf(line));
    }
    // A menu's list changed: its message list is refilled for it and selects its first entry.
    void menuChanged(int slot) {
        const int menu = menus_[static_cast<std::size_t>(slot)].index + 1;
        const int count = messageCount(game_, menu);
        if (count == 0)
            return;
        messages_[static_cast<std::size_t>(slot)] = List{count, 0};
    }
    void switchGame(Game g) {
        game_ = g;
        for (List& m : menus_)
            m = List{menuCount(g)};
        for (int slot = 0; slot < 10; ++slot) {
            menus_[static_cast<std::size_t>(slot)].index = 0;
            menuChanged(slot);
        }
    }
    void pass(std::string_view text) {
        std::array<std::optional<int>, 20> values{};
        for (std::size_t n = 0; n <= 20; ++n) {
            const std::size_t lf = text.find('\n');
            std::string_view piece = text.substr(0, lf);
            if (lf != std::string_view::npos && piece.ends_with('\r'))
                piece.remove_suffix(1);
            if (n == 0)
                gameLine_ = std::string(piece);
            else if (const auto v = parseInt16(piece))
                values[n - 1] = *v;
            if (lf == std::string_view::npos)
                break;
            text.remove_prefix(lf + 1);
        }
        if (gameLine_ == "1" && game_ != Game::CallOfDuty)
            switchGame(Game::CallOfDuty);
        else if (gameLine_ == "2" && game_ != Game::UnitedOffensive)
            switchGame(Game::UnitedOffensive);
        for (int line = 0; line < 20; ++line)
            if (const auto& v = values[static_cast<std::size_t>(line)])
                set(line, *v);
    }

    Game game_ = Game::CallOfDuty;
    std::string gameLine_ = "Text3";
    std::array<List, 10> menus_ = {List{3}, List{3}, List{3}, List{3}, List{3},
                                   List{3}, List{3}, List{3}, List{3}, List{3}};
    std::array<List, 10> messages_ = {List{8}, List{8}, List{8}, List{8}, List{8},
                                      List{8}, List{8}, List{8}, List{8}, List{8}};
};

} // namespace bt::test

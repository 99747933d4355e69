#pragma once

// The file "binds": line 1 the game, then for each slot the entry of its menu list and of its
// message list (the number minus one), in the order below; every line ends with CR LF and one more
// CR LF ends the file. Older versions of the program wrote these files; every one of them must read
// back exactly as it always has, and a profile saved without a change writes the same bytes again.

#include "base/bind_profile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace bt {

// No bind file is longer: a game line and twenty short numbers. A damaged file is read no further.
constexpr std::size_t kMaxBindFileBytes = 4096;

class BindsCodec {
  public:
    enum class Field { Menu, Message };
    struct Line {
        int slot;
        Field field;
    };
    // Lines 2..21. Numpad 0's menu comes before its message; for Numpad 1 to 9 the message comes
    // first.
    static constexpr std::array<Line, 2 * kSlotCount> kLines = {{
        {0, Field::Menu},    {0, Field::Message}, {1, Field::Message}, {1, Field::Menu},
        {2, Field::Message}, {2, Field::Menu},    {3, Field::Message}, {3, Field::Menu},
        {4, Field::Message}, {4, Field::Menu},    {5, Field::Message}, {5, Field::Menu},
        {6, Field::Message}, {6, Field::Menu},    {7, Field::Message}, {7, Field::Menu},
        {8, Field::Message}, {8, Field::Menu},    {9, Field::Message}, {9, Field::Menu},
    }};

    // Whether a file's text stands for no file at all.
    static bool meansNoFile(std::string_view text);

    // The profile a file's text restores. Lines end with CR LF or LF alone; a line that is
    // missing, not a number, or names no menu or message of the game is passed over. Every slot
    // ends up with a menu and a message.
    BindProfile read(std::string_view text);
    // The file's whole text for a profile.
    std::string write(const BindProfile& profile) const;

  private:
    // What line 1 says while no game is chosen: the line a file had, kept as it was (a file may
    // say "3" or "2.0"), or "Text3" when no file named a game either.
    std::string gameLine_ = "Text3";
};

} // namespace bt

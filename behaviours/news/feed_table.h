#pragma once

// Which line of the news feed sets what: the whole format as one table, used by the news window,
// its layout step and hovers, and by the feed checker.

#include <array>
#include <cstddef>

namespace bt {

enum class FeedTarget {
    Window,
    ExitButton,
    PageView,
    NewsText,
    LinkLabel,     // link k
    OpenLinkLabel, // while link k is hovered
    DeclineBox,
};

enum class FeedProperty {
    Caption,
    Left,
    Top,
    Width,
    Height,
    Visible,
    Page, // what the page area shows
    FontSize,
    FontBold,
    FontUnderline,
    LinkTarget,       // what a click on link label k opens
    HoverDescription, // the news text while link k is hovered
    ClickTarget,      // what a click on the open-link label opens while link k is hovered
};

enum class FeedValue { Text, Number, Boolean };

struct FeedLineDef {
    std::size_t line = 0;
    FeedTarget target = FeedTarget::Window;
    int link = 0; // 1..6 for link lines, 0 otherwise
    FeedProperty property = FeedProperty::Caption;
    FeedValue value = FeedValue::Text;
    bool layout = false; // read by the layout step (otherwise only when a link is hovered)
};

const std::array<FeedLineDef, 134>& feedTable();

// The first line of the blocks of link k (1..6).
constexpr std::size_t linkBlock(int k) {
    return 15 + 9 * static_cast<std::size_t>(k - 1);
}
constexpr std::size_t hoverBlock(int k) {
    return 73 + 8 * static_cast<std::size_t>(k - 1);
}
constexpr std::size_t hoverDescriptionLine(int k) {
    return linkBlock(k) + 8;
}
constexpr std::size_t hoverPageLine(int k) {
    return 120 + static_cast<std::size_t>(k);
}

} // namespace bt

#include "behaviours/news/feed_table.h"

namespace bt {

namespace {

using T = FeedTarget;
using P = FeedProperty;
using V = FeedValue;

std::array<FeedLineDef, 134> build() {
    std::array<FeedLineDef, 134> t{};
    auto set = [&t](std::size_t line, T target, int link, P property, V value, bool layout) {
        t[line] = FeedLineDef{line, target, link, property, value, layout};
    };
    set(0, T::Window, 0, P::Caption, V::Text, true);
    set(1, T::ExitButton, 0, P::Left, V::Number, true);
    set(2, T::ExitButton, 0, P::Top, V::Number, true);
    set(3, T::PageView, 0, P::Visible, V::Boolean, true);
    set(4, T::PageView, 0, P::Page, V::Text, true);
    set(5, T::PageView, 0, P::Left, V::Number, true);
    set(6, T::PageView, 0, P::Top, V::Number, true);
    set(7, T::NewsText, 0, P::Caption, V::Text, true);
    set(8, T::NewsText, 0, P::Width, V::Number, true);
    set(9, T::NewsText, 0, P::Height, V::Number, true);
    set(10, T::NewsText, 0, P::Left, V::Number, true);
    set(11, T::NewsText, 0, P::Top, V::Number, true);
    set(12, T::NewsText, 0, P::FontUnderline, V::Boolean, true);
    set(13, T::NewsText, 0, P::FontBold, V::Boolean, true);
    set(14, T::NewsText, 0, P::FontSize, V::Number, true);
    for (int k = 1; k <= 6; ++k) {
        const std::size_t b = linkBlock(k);
        set(b, T::LinkLabel, k, P::Caption, V::Text, true);
        set(b + 1, T::LinkLabel, k, P::Width, V::Number, true);
        set(b + 2, T::LinkLabel, k, P::Height, V::Number, true);
        set(b + 3, T::LinkLabel, k, P::Left, V::Number, true);
        set(b + 4, T::LinkLabel, k, P::Top, V::Number, true);
        set(b + 5, T::LinkLabel, k, P::FontSize, V::Number, true);
        set(b + 6, T::LinkLabel, k, P::FontUnderline, V::Boolean, true);
        set(b + 7, T::LinkLabel, k, P::LinkTarget, V::Text, true);
        set(b + 8, T::NewsText, k, P::HoverDescription, V::Text, false);
        const std::size_t h = hoverBlock(k);
        set(h, T::OpenLinkLabel, k, P::Caption, V::Text, false);
        set(h + 1, T::OpenLinkLabel, k, P::Width, V::Number, false);
        set(h + 2, T::OpenLinkLabel, k, P::Height, V::Number, false);
        set(h + 3, T::OpenLinkLabel, k, P::Left, V::Number, false);
        set(h + 4, T::OpenLinkLabel, k, P::Top, V::Number, false);
        set(h + 5, T::OpenLinkLabel, k, P::FontSize, V::Number, false);
        set(h + 6, T::OpenLinkLabel, k, P::FontUnderline, V::Boolean, false);
        set(h + 7, T::OpenLinkLabel, k, P::ClickTarget, V::Text, false);
        set(hoverPageLine(k), T::PageView, k, P::Page, V::Text, false);
    }
    set(69, T::PageView, 0, P::Height, V::Number, true);
    set(70, T::PageView, 0, P::Width, V::Number, true);
    set(71, T::Window, 0, P::Height, V::Number, true);
    set(72, T::Window, 0, P::Width, V::Number, true);
    set(127, T::DeclineBox, 0, P::Caption, V::Text, true);
    set(128, T::DeclineBox, 0, P::Width, V::Number, true);
    set(129, T::DeclineBox, 0, P::Height, V::Number, true);
    set(130, T::DeclineBox, 0, P::Left, V::Number, true);
    set(131, T::DeclineBox, 0, P::Top, V::Number, true);
    set(132, T::DeclineBox, 0, P::FontSize, V::Number, true);
    set(133, T::DeclineBox, 0, P::FontUnderline, V::Boolean, true);
    return t;
}

} // namespace

const std::array<FeedLineDef, 134>& feedTable() {
    static const std::array<FeedLineDef, 134> table = build();
    return table;
}

} // namespace bt

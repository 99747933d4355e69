#pragma once

// The news window as a feed lays it out: every value the feed gives, each one optional, since a
// missing line or a value the window does not take (feed_format.h says what each line takes)
// leaves the window's own value in place. A link that will not open reads as none (empty).

#include "base/news_window_controls.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace bt {

struct Place {
    std::optional<int> left, top, width, height; // twips
    friend bool operator==(const Place&, const Place&) = default;
};

struct LabelLayout {
    std::optional<std::string> caption;
    Place place;
    std::optional<double> fontSize;
    std::optional<bool> bold, underline;
    friend bool operator==(const LabelLayout&, const LabelLayout&) = default;
};

struct LinkLayout {
    LabelLayout label;
    std::optional<std::string> target; // what a click on the link opens
    // While the pointer is over the link:
    std::optional<std::string> description; // the news text
    LabelLayout clickLabel;                 // the label that opens the hovered link
    std::optional<std::string> clickTarget;
    std::optional<std::string> page;
    friend bool operator==(const LinkLayout&, const LinkLayout&) = default;
};

struct NewsLayout {
    std::optional<std::string> caption;
    std::optional<int> width, height; // of the window, frame included
    Place exitButton;
    std::optional<bool> pageVisible;
    std::optional<std::string> page;
    Place pageView;
    LabelLayout newsText;
    std::array<LinkLayout, kLinkCount> links;
    LabelLayout declineBox;
    friend bool operator==(const NewsLayout&, const NewsLayout&) = default;
};

// Reads the feed's lines (split, at most 134).
NewsLayout readNewsLayout(const std::vector<std::string>& lines);

} // namespace bt

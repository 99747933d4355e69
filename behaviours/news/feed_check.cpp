#include "behaviours/news/feed_check.h"

#include "base/link_policy.h"
#include "behaviours/news/feed.h"
#include "behaviours/news/feed_table.h"

#include <optional>

namespace bt {

namespace {

const char* describe(const FeedLineDef& d) {
    switch (d.property) {
    case FeedProperty::Caption:
        return "caption";
    case FeedProperty::Left:
        return "left";
    case FeedProperty::Top:
        return "top";
    case FeedProperty::Width:
        return "width";
    case FeedProperty::Height:
        return "height";
    case FeedProperty::Visible:
        return "visible";
    case FeedProperty::Page:
        return "page";
    case FeedProperty::FontSize:
        return "font size";
    case FeedProperty::FontBold:
        return "bold";
    case FeedProperty::FontUnderline:
        return "underline";
    case FeedProperty::LinkTarget:
        return "link target";
    case FeedProperty::HoverDescription:
        return "hover description";
    case FeedProperty::ClickTarget:
        return "click target";
    }
    return "value";
}

struct Box {
    std::size_t leftLine, topLine, widthLine, heightLine;
    const char* name;
};

} // namespace

std::vector<FeedProblem> checkFeed(std::string_view body, std::string_view token) {
    std::vector<FeedProblem> problems;
    const std::vector<std::string> lines = splitFeed(normaliseFeed(body, token));
    if (lines.size() < kFeedLines) {
        problems.push_back(
            {lines.size(),
             "the feed ends here: lines " + std::to_string(lines.size()) + " to 133 are missing"});
    }
    auto number = [&](std::size_t n) -> std::optional<double> {
        return n < lines.size() ? feedNumber(lines[n]) : std::nullopt;
    };
    auto boolean = [&](std::size_t n) -> std::optional<bool> {
        return n < lines.size() ? feedBoolean(lines[n]) : std::nullopt;
    };

    for (const FeedLineDef& d : feedTable()) {
        if (d.line >= lines.size())
            break;
        const std::string& v = lines[d.line];
        if (d.value == FeedValue::Number) {
            const auto n = feedNumber(v);
            const bool size = d.property == FeedProperty::Width ||
                              d.property == FeedProperty::Height ||
                              d.property == FeedProperty::FontSize;
            if (!n)
                problems.push_back(
                    {d.line, std::string(describe(d)) + ": \"" + v + "\" is not a number"});
            else if (size && *n <= 0)
                problems.push_back({d.line, std::string(describe(d)) + " must be above 0"});
        } else if (d.value == FeedValue::Boolean && !feedBoolean(v)) {
            problems.push_back({d.line, std::string(describe(d)) + ": \"" + v +
                                            "\" is not True, False or a number"});
        }
        const bool opens = d.property == FeedProperty::LinkTarget ||
                           d.property == FeedProperty::ClickTarget ||
                           d.property == FeedProperty::Page;
        if (opens && !isWebLink(v))
            problems.push_back({d.line, std::string(describe(d)) + ": \"" + v +
                                            "\" will not open: only http:// and https:// do"});
    }

    const auto windowHeight = number(71);
    const auto windowWidth = number(72);
    if (!windowHeight || !windowWidth)
        return problems;
    const double maxRight = *windowWidth - kFrameWidth;
    const double maxBottom = *windowHeight - kFrameHeight;
    std::vector<Box> boxes = {{5, 6, 70, 69, "page area"},
                              {10, 11, 8, 9, "news text"},
                              {130, 131, 128, 129, "check box"}};
    for (int k = 1; k <= 6; ++k) {
        const std::size_t b = linkBlock(k), h = hoverBlock(k);
        boxes.push_back({b + 3, b + 4, b + 1, b + 2, "link label"});
        boxes.push_back({h + 3, h + 4, h + 1, h + 2, "click label"});
    }
    for (const Box& box : boxes) {
        const auto l = number(box.leftLine), t = number(box.topLine);
        const auto w = number(box.widthLine), h = number(box.heightLine);
        if (!l || !t || !w || !h)
            continue;
        if (box.leftLine == 5 && boolean(3) == false)
            continue; // a hidden page area may lie anywhere
        if (*l < 0 || *t < 0 || *l + *w > maxRight || *t + *h > maxBottom)
            problems.push_back({box.leftLine, std::string(box.name) + " at " + lines[box.leftLine] +
                                                  ", " + lines[box.topLine] +
                                                  " lies outside the window"});
    }
    // The Exit button keeps its design size, 1095 x 375; without it the window is only closable
    // by its close box.
    if (const auto l = number(1), t = number(2); l && t) {
        if (*l < 0 || *t < 0 || *l + 1095 > maxRight || *t + 375 > maxBottom)
            problems.push_back({1, "the Exit button lies outside the window"});
    }
    return problems;
}

} // namespace bt

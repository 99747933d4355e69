#include "behaviours/news/feed_check.h"

#include "base/link_policy.h"
#include "behaviours/news/feed_format.h"

#include <optional>

namespace bt {

namespace {

using Lines = std::vector<std::string>;

// What is wrong with one line's value, if anything.
std::optional<std::string> valueProblem(const feed::LineInfo& info, const std::string& v) {
    const std::string what = info.what;
    switch (info.kind) {
    case feed::Kind::Number:
    case feed::Kind::Size:
    case feed::Kind::FontSize: {
        const auto n = feed::number(v);
        if (!n)
            return what + ": \"" + v + "\" is not a number";
        if (info.kind != feed::Kind::Number && *n <= 0)
            return what + " must be above 0";
        return std::nullopt;
    }
    case feed::Kind::Boolean:
        if (!feed::boolean(v))
            return what + ": \"" + v + "\" is not True, False or a number";
        return std::nullopt;
    case feed::Kind::WebLink:
        if (!isWebLink(v))
            return what + ": \"" + v + "\" will not open: only http:// and https:// do";
        return std::nullopt;
    case feed::Kind::Text:
        break;
    }
    return std::nullopt;
}

struct Box {
    std::size_t left, top, width, height;
    const char* name;
};

std::vector<Box> boxes() {
    std::vector<Box> out = {
        {feed::kPageLeft, feed::kPageTop, feed::kPageWidth, feed::kPageHeight, "page area"},
        {feed::kNewsLeft, feed::kNewsTop, feed::kNewsWidth, feed::kNewsHeight, "news text"},
        {feed::kDeclineLeft, feed::kDeclineTop, feed::kDeclineWidth, feed::kDeclineHeight,
         "check box"}};
    for (int k = 1; k <= kLinkCount; ++k) {
        const feed::LinkLines l = feed::link(k);
        out.push_back({l.label.left, l.label.top, l.label.width, l.label.height, "link label"});
        out.push_back({l.clickLabel.left, l.clickLabel.top, l.clickLabel.width, l.clickLabel.height,
                       "click label"});
    }
    return out;
}

// Controls that lie (partly) outside the window the feed asks for.
void checkPlaces(const Lines& lines, std::vector<FeedProblem>& problems) {
    const auto windowHeight = feed::numberAt(lines, feed::kWindowHeight);
    const auto windowWidth = feed::numberAt(lines, feed::kWindowWidth);
    if (!windowHeight || !windowWidth)
        return;
    const double maxRight = *windowWidth - kFrameWidth;
    const double maxBottom = *windowHeight - kFrameHeight;
    const auto visible = feed::line(lines, feed::kPageVisible);
    const bool pageHidden = visible && feed::boolean(*visible) == false;
    for (const Box& box : boxes()) {
        const auto l = feed::numberAt(lines, box.left), t = feed::numberAt(lines, box.top);
        const auto w = feed::numberAt(lines, box.width), h = feed::numberAt(lines, box.height);
        if (!l || !t || !w || !h || (box.left == feed::kPageLeft && pageHidden))
            continue; // a hidden page area may lie anywhere
        if (l.value() < 0 || t.value() < 0 || l.value() + w.value() > maxRight ||
            t.value() + h.value() > maxBottom)
            problems.push_back({box.left, std::string(box.name) + " at " + lines[box.left] + ", " +
                                              lines[box.top] + " lies outside the window"});
    }
    // The Exit button keeps its design size; without it the window is only closable by its close
    // box.
    const Rect exit = kNewsExitButton;
    const auto l = feed::numberAt(lines, feed::kExitLeft),
               t = feed::numberAt(lines, feed::kExitTop);
    if (l && t && (*l < 0 || *t < 0 || *l + exit.width > maxRight || *t + exit.height > maxBottom))
        problems.push_back({feed::kExitLeft, "the Exit button lies outside the window"});
}

} // namespace

std::vector<FeedProblem> checkFeed(std::string_view body, std::string_view token) {
    std::vector<FeedProblem> problems;
    const Lines lines = feed::split(feed::normalise(body, token));
    if (lines.size() < feed::kLineCount) {
        problems.push_back(
            {lines.size(), "the feed ends here: lines " + std::to_string(lines.size()) + " to " +
                               std::to_string(feed::kLineCount - 1) + " are missing"});
    }
    for (std::size_t n = 0; n < lines.size(); ++n)
        if (const auto problem = valueProblem(feed::lineTable()[n], lines[n]))
            problems.push_back({n, *problem});
    checkPlaces(lines, problems);
    return problems;
}

} // namespace bt

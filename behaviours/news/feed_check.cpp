#include "behaviours/news/feed_check.h"

#include "behaviours/news/feed_format.h"
#include "behaviours/news/news_layout.h"

namespace bt {

namespace {

struct Box {
    const Place& place;
    std::size_t line; // its left's, where a problem is reported
    const char* name;
};

std::vector<Box> boxes(const NewsLayout& layout) {
    std::vector<Box> out = {{layout.pageView, feed::kPageLeft, "page area"},
                            {layout.newsText.place, feed::kNewsLeft, "news text"},
                            {layout.declineBox.place, feed::kDeclineLeft, "check box"}};
    for (int k = 1; k <= kLinkCount; ++k) {
        const feed::LinkLines l = feed::link(k);
        const LinkLayout& link = layout.links[static_cast<std::size_t>(k - 1)];
        out.push_back({link.label.place, l.label.left, "link label"});
        out.push_back({link.clickLabel.place, l.clickLabel.left, "click label"});
    }
    return out;
}

// Controls that lie (partly) outside the window the feed asks for, as the window lays them out.
void checkPlaces(const NewsLayout& layout, std::vector<FeedProblem>& problems) {
    if (!layout.width || !layout.height)
        return;
    const int maxRight = *layout.width - kFrameWidth;
    const int maxBottom = *layout.height - kFrameHeight;
    const auto outside = [&](int left, int top, int width, int height) {
        return left < 0 || top < 0 || left + width > maxRight || top + height > maxBottom;
    };
    const bool pageHidden = layout.pageVisible == false;
    for (const Box& box : boxes(layout)) {
        const Place& p = box.place;
        if (!p.left || !p.top || !p.width || !p.height || (&p == &layout.pageView && pageHidden))
            continue; // a hidden page area may lie anywhere
        if (outside(*p.left, *p.top, *p.width, *p.height))
            problems.push_back({box.line, std::string(box.name) + " at " + std::to_string(*p.left) +
                                              ", " + std::to_string(*p.top) +
                                              " lies outside the window"});
    }
    // The Exit button keeps its design size; without it the window is only closable by its close
    // box.
    const Place& exit = layout.exitButton;
    if (exit.left && exit.top &&
        outside(*exit.left, *exit.top, kNewsExitButton.width, kNewsExitButton.height))
        problems.push_back({feed::kExitLeft, "the Exit button lies outside the window"});
}

} // namespace

std::vector<FeedProblem> checkFeed(std::string_view body, std::string_view token) {
    std::vector<FeedProblem> problems;
    const std::vector<std::string> lines = feed::split(feed::normalise(body, token));
    if (lines.size() < feed::kLineCount) {
        problems.push_back(
            {lines.size(), "the feed ends here: lines " + std::to_string(lines.size()) + " to " +
                               std::to_string(feed::kLineCount - 1) + " are missing"});
    }
    // A value is flagged exactly when the window's own reading of it refuses it.
    for (std::size_t n = 0; n < lines.size(); ++n)
        if (const auto problem = feed::refusal(feed::lineTable()[n], lines[n]))
            problems.push_back({n, *problem});
    checkPlaces(readNewsLayout(lines), problems);
    return problems;
}

} // namespace bt

// Any feed, its lines ended by CR LF: the checker flags exactly the lines whose values the news
// window does not take, as the window's own reading of the feed shows (window_takes.h). A target
// of its own, since judging every line lays the feed out again for each.

#include "behaviours/news/feed_check.h"
#include "behaviours/news/feed_format.h"
#include "window_takes.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = bt::feed::split(body);
    // With the window's height one that does not read, no control's place is judged, so every
    // line the checker flags is flagged for its value.
    if (lines.size() > bt::feed::kWindowHeight)
        lines[bt::feed::kWindowHeight] = "tall";
    std::string feed = lines.front();
    for (std::size_t n = 1; n < lines.size(); ++n)
        feed += "\r\n" + lines[n];
    const auto problems = bt::checkFeed(feed, "\r\n");
    const bt::NewsLayout asWritten = bt::readNewsLayout(lines);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const bool flagged = std::any_of(problems.begin(), problems.end(),
                                         [n](const bt::FeedProblem& p) { return p.line == n; });
        if (flagged == bt::windowTakes(lines, n, asWritten))
            __builtin_trap();
    }
    return 0;
}

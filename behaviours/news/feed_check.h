#pragma once

// Checks a news feed the way the news window will read it, for whoever writes feeds: a feed passes
// exactly when the window takes every value as written and lays every control inside it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bt {

struct FeedProblem {
    std::size_t line; // feed line number, 0-based as the format counts them
    std::string message;
};

// Frame and title bar take this much of the window's outer size in twips; a control reaching
// into them is counted as outside the window.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 480;

std::vector<FeedProblem> checkFeed(std::string_view body, std::string_view token);

} // namespace bt

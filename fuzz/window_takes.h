#pragma once

// Whether the news window takes a feed's line as written, judged by the window's own reading of the
// feed alone: put in its place either of two values that no line can hold (a line never holds
// CR LF), the layout changes. A value the window refuses leaves its own in place whatever it was.

#include "behaviours/news/news_layout.h"

#include <cstddef>
#include <string>
#include <vector>

namespace bt {

inline bool windowTakes(std::vector<std::string> lines, std::size_t n) {
    const NewsLayout asWritten = readNewsLayout(lines);
    for (const char* never : {"\r\n", "\r\n\r\n"}) {
        lines[n] = never;
        if (readNewsLayout(lines) != asWritten)
            return true;
    }
    return false;
}

} // namespace bt

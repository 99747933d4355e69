#pragma once

// Whether the news window takes a feed's line as written, judged by the window's own reading of the
// feed alone: put in its place either of two values that no line can hold (a line never holds
// CR LF), the layout changes. A value the window refuses leaves its own in place whatever it was.

#include "behaviours/news/news_layout.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace bt {

// asWritten: the layout of the lines as they are.
inline bool windowTakes(std::vector<std::string>& lines, std::size_t n,
                        const NewsLayout& asWritten) {
    std::string written = std::move(lines[n]);
    bool taken = false;
    for (const char* never : {"\r\n", "\r\n\r\n"}) {
        lines[n] = never;
        if ((taken = readNewsLayout(lines) != asWritten))
            break;
    }
    lines[n] = std::move(written);
    return taken;
}

} // namespace bt

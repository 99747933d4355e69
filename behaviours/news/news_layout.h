#pragma once

// Applying feed lines to the news window: the layout step and the six hovers.

#include "behaviours/news/feed_table.h"

#include <string_view>

namespace bt {

class NewsWindowControls;

// Sets the property the line names from its text; a value that does not convert or is out of any
// sensible range changes nothing, so the control keeps what it had.
void applyFeedLine(NewsWindowControls& w, const FeedLineDef& def, std::string_view value);

// The layout step over the current feed text. Lines that are missing or bad are skipped and the
// rest is laid out.
void layoutStep(NewsWindowControls& w);

} // namespace bt

#pragma once

#include "base/controls/control.h"

#include <vector>

namespace bt {

// How wide a control is shown where its whole text, in the font the system gives, needs more than
// its designed width (a wider font than the one the window was drawn for, a user's or a
// translated system's): wider to the right, into the free room up to the nearest control beside it
// or the window's edge. It never moves, never narrows and never covers another control, so what a
// news feed lays out stays where the feed put it. One unit throughout, pixels or twips.
int fittedWidth(const Rect& own, int needed, const std::vector<Rect>& others, int clientWidth);

} // namespace bt

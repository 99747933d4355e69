#pragma once

// The news window's controls with their design places and captions: what the views show before
// the feed lays the window out. The feed replaces most of them.

#include "base/controls/button.h"
#include "base/controls/check_box.h"
#include "base/controls/label.h"
#include "base/controls/page_view.h"
#include "base/controls/text_box.h"
#include "base/controls/window.h"

#include <deque>

namespace bt {

constexpr int kNewsClientWidth = 1860;
constexpr int kNewsClientHeight = 540;
constexpr int kLinkCount = 6;
// The Exit button's design place; a feed may move it, never resize it.
constexpr Rect kNewsExitButton = {1680, 3840, 1095, 375};

class NewsWindowControls {
  public:
    NewsWindowControls();
    NewsWindowControls(const NewsWindowControls&) = delete;
    NewsWindowControls& operator=(const NewsWindowControls&) = delete;

    // Link label k, k = 1..6.
    Label& linkLabel(int k) { return links_.at(static_cast<std::size_t>(k - 1)); }
    const Label& linkLabel(int k) const { return links_.at(static_cast<std::size_t>(k - 1)); }

    Window window;
    Label newsText;
    Label openLinkLabel; // opens the hovered link
    Label probeLabel;    // shows the pointer's position in twips, for whoever writes feeds
    Label connectingLabel;
    CheckBox declineBox;
    Button exitButton;
    PageView pageView;
    TextBox newsIdBox; // the news identifier, which declining the news writes to "data"

  private:
    std::deque<Label> links_;
};

} // namespace bt

#pragma once

// What the pointer does in the news window. Hovering a link shows its description, its click label
// and its page; a hovered link takes no pointer input (its moves and clicks reach the window's own
// surface), so it is opened through the click label. Clicks on the other links open their targets.
// The coordinate probe shows the pointer's place in twips, for whoever writes feeds.

#include "behaviours/news/news_layout.h"

#include <cstdint>
#include <functional>
#include <string>

namespace bt {

class Desktop;

// The mouse buttons held during a pointer event.
struct PointerButtons {
    bool left = false;
    bool right = false;
    bool middle = false;
    bool onlyLeft() const { return left && !right && !middle; }
};

class NewsLinks {
  public:
    // showHover(k) runs when link k becomes the hovered one; changed after every change of what
    // the window shows (the hovered link, the probe).
    NewsLinks(Desktop& desktop, std::function<void(int)> showHover, std::function<void()> changed);

    // The links of the laid-out feed; before it, nothing can be hovered or opened.
    void setLayout(const NewsLayout* layout) { layout_ = layout; }

    void pointerOverLink(int k, PointerButtons buttons, double x, double y);
    void linkClicked(int k);
    void clickLabelClicked();
    void probeClicked();
    void surfaceMoved(double x, double y);
    void surfaceClicked();
    // Opens a web address in the player's browser; a feed comes over plain HTTP, so anything
    // else (a program, a local file) is never handed to the system.
    void open(std::string_view target);

    int hovered() const { return hovered_; } // 0 before the first hover
    bool probing() const { return probing_; }
    std::int16_t pointerX() const { return pointerX_; }
    std::int16_t pointerY() const { return pointerY_; }

  private:
    const LinkLayout* link(int k) const;

    Desktop& desktop_;
    std::function<void(int)> showHover_;
    std::function<void()> changed_;
    const NewsLayout* layout_ = nullptr;
    int hovered_ = 0;
    std::optional<std::string> hoveredTarget_;
    bool probing_ = false;
    // The last pointer place over the window's surface, in twips, clamped to 16 bits as the window
    // has always kept it.
    std::int16_t pointerX_ = 0;
    std::int16_t pointerY_ = 0;
};

} // namespace bt

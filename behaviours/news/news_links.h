#pragma once

// The news window's links: hovering a link shows its description, open-link label and page; clicks
// open targets; the coordinate probe helps whoever writes the feed find positions in twips.

#include <string>

namespace bt {

class NewsWindowControls;
class Platform;

// Mouse button state passed with a pointer event.
enum MouseButtons : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

class NewsLinks {
  public:
    NewsLinks(NewsWindowControls& w, Platform& platform);

    // Pointer events over link label k (1..6). A disabled label takes no pointer input: its moves
    // and clicks reach the window's own surface, as the window has always behaved.
    void pointerOverLink(int k, int buttons, double x, double y);
    void linkClicked(int k);
    void openLinkClicked();
    void probeClicked();
    void surfaceMoved(double x, double y);
    void surfaceClicked();
    void probeTick();

    // Opens a target with the default handler, web addresses only.
    void open(const std::string& target);

  private:
    void hover(int k, int buttons);

    NewsWindowControls& w_;
    Platform& platform_;
};

} // namespace bt

#pragma once

// The news window's links: hovering a link shows its description, click label and page; clicks
// open targets; the coordinate probe helps whoever writes the feed find positions in twips.

#include <string>

namespace bt {

class Form2Controls;
class Platform;

// Mouse button state passed with a pointer event.
enum MouseButtons : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

class NewsLinks {
  public:
    NewsLinks(Form2Controls& f, Platform& platform) : f_(f), platform_(platform) {}

    void wire();

    // Pointer events over link label k (1..6). A disabled label takes no pointer input: its moves
    // and clicks reach the window's own surface, as the window has always behaved.
    void pointerOverLink(int k, int buttons, double x, double y);
    void linkClicked(int k);
    void clickLabelClicked(); // Label9
    void probeLabelClicked(); // Label10
    void surfaceMoved(double x, double y);
    void surfaceClicked();
    void probeTick(); // Timer4_Timer

    void hover(int k, int buttons);
    // Opens a target with the default handler, web addresses only.
    void open(const std::string& target);

  private:
    Form2Controls& f_;
    Platform& platform_;
};

} // namespace bt

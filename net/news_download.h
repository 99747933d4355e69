#pragma once

// The news window's download sequence: Timer2 fetches the feed, Timer1 the break token and
// normalises the feed, Timer3 lays the window out. Transfers run in the background; each result
// continues the sequence on the UI thread in the same order of steps.

namespace bt {

class Form2Controls;
struct HttpResult;

class NewsDownload {
  public:
    explicit NewsDownload(Form2Controls& f) : f_(f) {}

    void wire();

    void feedTick();   // Timer2_Timer
    void tokenTick();  // Timer1_Timer
    void layoutTick(); // Timer3_Timer

  private:
    Form2Controls& f_;
};

} // namespace bt

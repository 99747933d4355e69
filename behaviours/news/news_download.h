#pragma once

// The news window's download sequence: the feed download timer fetches the feed, the token timer
// the break token and normalises the feed, the layout timer lays the window out. Transfers run in
// the background; each result continues the sequence on the UI thread in the same order of steps.

namespace bt {

class NewsWindowControls;

class NewsDownload {
  public:
    explicit NewsDownload(NewsWindowControls& w);

    void downloadFeed();
    void downloadToken();
    void layOut();

  private:
    NewsWindowControls& w_;
};

} // namespace bt

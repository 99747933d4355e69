#pragma once

// What the main window knows of the maker's server, and what its status strip shows of it.

#include <optional>
#include <string>
#include <vector>

namespace bt {

struct ServerStatus {
    // NoServer: the build named no server and the command line none either; nothing is asked.
    enum class Shown { Connecting, Online, ServerOffline, CannotConnect, NoServer };
    Shown shown = Shown::Connecting;
    // The last status answer in lines, cut at its separator once that has come: line 1 "on" or
    // "off" for a proper answer, line 2 the current news item's identifier.
    std::optional<std::vector<std::string>> answer;
    // The blink after a decision: the label dim (the desktop colour) and bright in turn, then the
    // window shrinks so the strip is cut off and the label is hidden.
    int blinkStep = 0;
    bool dim = false;
    bool shrunk = false;
};

// The status strip's text for what is shown.
const char* statusCaption(ServerStatus::Shown shown);

} // namespace bt

#pragma once

// Texts that hold several values put one per line, separated by CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace bt {

// Every occurrence of what, scanning from the start and resuming after each replaced one, exact
// and case-sensitive. An empty what leaves the text unchanged.
std::string replaceAll(std::string_view text, std::string_view what, std::string_view with);

// Pieces between CR LF, empty ones included; a CR or LF alone does not cut.
std::vector<std::string> splitCrLf(std::string_view text);

// ASCII letters compare without regard to case; nothing else does.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace bt

#pragma once

// "grant": what a Wayland desktop gave the program when the player allowed it to type (the
// desktop's restore token), offered at the next start so that the desktop need not ask again. One
// line; anything else, a missing file or a damaged one, reads as nothing kept, and the desktop
// asks. Only the Linux program on such a desktop writes it; a failed write only means the
// question comes again at the next start.

#include <string>
#include <string_view>

namespace bt {

class Files;

inline constexpr const char* kGrantFile = "grant";

std::string readGrant(Files& files);
void writeGrant(Files& files, std::string_view grant);
// A token as a desktop hands it out: printable ASCII without spaces, not too long.
bool plausibleGrant(std::string_view grant);

} // namespace bt

#pragma once

#include <string_view>

namespace bt {

// A feed comes over plain HTTP, and opening a target hands it to the system's default handler, so
// a tampered feed could start a program or open a local file. Only web addresses are opened: the
// scheme "http://" or "https://", compared without regard to case, and no control characters.
bool isWebLink(std::string_view target);

} // namespace bt

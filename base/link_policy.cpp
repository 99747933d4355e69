#include "base/link_policy.h"

#include "base/text_lines.h"

namespace bt {

bool isWebLink(std::string_view target) {
    std::string_view rest;
    if (equalsIgnoringCase(target.substr(0, 7), "http://"))
        rest = target.substr(7);
    else if (equalsIgnoringCase(target.substr(0, 8), "https://"))
        rest = target.substr(8);
    else
        return false;
    if (rest.empty())
        return false;
    for (char c : target) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            return false;
    }
    return true;
}

} // namespace bt

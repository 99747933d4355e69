#include "base/link_policy.h"

namespace bt {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

bool isWebLink(std::string_view target) {
    std::string_view rest;
    if (startsWithNoCase(target, "http://"))
        rest = target.substr(7);
    else if (startsWithNoCase(target, "https://"))
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

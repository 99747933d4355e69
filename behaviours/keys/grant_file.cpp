#include "behaviours/keys/grant_file.h"

#include "base/system/files.h"

#include <algorithm>

namespace bt {

namespace {
// Tokens are short (a UUID); a longer file is no token of ours.
constexpr std::size_t kLongestGrant = 256;
} // namespace

bool plausibleGrant(std::string_view grant) {
    return !grant.empty() && grant.size() <= kLongestGrant &&
           std::all_of(grant.begin(), grant.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

std::string readGrant(Files& files) {
    const auto text = files.readFile(kGrantFile, kLongestGrant + 2);
    if (!text)
        return {};
    std::string_view line(*text);
    line = line.substr(0, line.find_first_of("\r\n"));
    return plausibleGrant(line) ? std::string(line) : std::string();
}

void writeGrant(Files& files, std::string_view grant) {
    if (plausibleGrant(grant))
        files.replaceFile(kGrantFile, std::string(grant) + "\n");
}

} // namespace bt

#pragma once

// The news feed: a text whose lines each set one property of one control of the news window.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bt {

constexpr std::size_t kFeedLines = 134;

// Every occurrence of the whole token becomes CR LF (exact, letter case counts); real CR LF in the
// body stay, so both end a line. An empty token leaves the text unchanged.
std::string normaliseFeed(std::string_view body, std::string_view token);

// Lines 0, 1, 2, ... cut at every CR LF; nothing trimmed; lines after 133 are ignored.
std::vector<std::string> splitFeed(std::string_view normalised);

// For the news text only: "%br%" becomes CR LF, then "%tab%" becomes eight spaces.
std::string substituteNewsText(std::string_view caption);

// A decimal number ("1680", "-120", "8.25"); nullopt for anything else.
std::optional<double> feedNumber(std::string_view value);
// "True"/"False" in any letter case, or a number (0 false, anything else true).
std::optional<bool> feedBoolean(std::string_view value);

} // namespace bt

#pragma once

// The news feed: a text of 134 lines, each setting one thing of the news window. The server's break
// token (the whole of "br.html") and CR LF both end a line. This header names every line once; the
// layout, the hovers, the checker and the tests all use these names.

#include "base/news_window_controls.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bt::feed {

constexpr std::size_t kLineCount = 134;

constexpr std::size_t kWindowCaption = 0;
constexpr std::size_t kExitLeft = 1;
constexpr std::size_t kExitTop = 2;
constexpr std::size_t kPageVisible = 3;
constexpr std::size_t kPage = 4;
constexpr std::size_t kPageLeft = 5;
constexpr std::size_t kPageTop = 6;
constexpr std::size_t kNewsText = 7; // "%br%" and "%tab%" substituted
constexpr std::size_t kNewsWidth = 8;
constexpr std::size_t kNewsHeight = 9;
constexpr std::size_t kNewsLeft = 10;
constexpr std::size_t kNewsTop = 11;
constexpr std::size_t kNewsUnderline = 12;
constexpr std::size_t kNewsBold = 13;
constexpr std::size_t kNewsFontSize = 14;
constexpr std::size_t kPageHeight = 69;
constexpr std::size_t kPageWidth = 70;
constexpr std::size_t kWindowHeight = 71;
constexpr std::size_t kWindowWidth = 72;
constexpr std::size_t kDeclineCaption = 127;
constexpr std::size_t kDeclineWidth = 128;
constexpr std::size_t kDeclineHeight = 129;
constexpr std::size_t kDeclineLeft = 130;
constexpr std::size_t kDeclineTop = 131;
constexpr std::size_t kDeclineFontSize = 132;
constexpr std::size_t kDeclineUnderline = 133;

// A label's block: caption, size, place, font size and underline, in the feed's order.
struct LabelLines {
    std::size_t caption, width, height, left, top, fontSize, underline;
};

// Link k (1..6): its label and what a click on it opens, laid out with the window; then, while the
// pointer is over it, the news text, the click label that opens the hovered link, and the page.
struct LinkLines {
    LabelLines label;
    std::size_t target;
    std::size_t description; // replaces the news text; "%br%" and "%tab%" substituted
    LabelLines clickLabel;
    std::size_t clickTarget;
    std::size_t page;
};

constexpr LinkLines link(int k) {
    const std::size_t b = 15 + 9 * static_cast<std::size_t>(k - 1);
    const std::size_t h = 73 + 8 * static_cast<std::size_t>(k - 1);
    return LinkLines{
        {b, b + 1, b + 2, b + 3, b + 4, b + 5, b + 6}, b + 7, b + 8,
        {h, h + 1, h + 2, h + 3, h + 4, h + 5, h + 6}, h + 7, 120 + static_cast<std::size_t>(k)};
}

constexpr LabelLines kDeclineBox = {kDeclineCaption,  kDeclineWidth, kDeclineHeight,
                                    kDeclineLeft,     kDeclineTop,   kDeclineFontSize,
                                    kDeclineUnderline};

// What each line holds: a place is a left or top, a size a width or height, both in twips.
enum class Kind { Text, Place, Size, FontSize, Boolean, WebLink };
struct LineInfo {
    Kind kind = Kind::Text;
    const char* what = "";
};
const std::array<LineInfo, kLineCount>& lineTable();

// What the window takes from a line of each kind: the layout reads every line through these, and
// the checker flags exactly the values they refuse. A refused value leaves the control's own.
// Twips beyond this are no window anyone can show (over 20 m at 96 DPI).
constexpr int kMaxTwips = 1'000'000;
constexpr int kMaxFontSize = 1000;
// Whole twips, halves to even: a place of either sign, a size of 0 or more, at most kMaxTwips.
std::optional<int> place(std::string_view value);
std::optional<int> size(std::string_view value);
// Above 0, at most kMaxFontSize.
std::optional<double> fontSize(std::string_view value);
// "True"/"False" in any letter case, or a number (0 false, anything else true).
std::optional<bool> boolean(std::string_view value);
// A web address as written; anything else reads as no link at all (empty: the page area goes
// blank, a click opens nothing), since handing it to the system could start a program.
std::optional<std::string> webLink(std::string_view value);
// Why the window does not take a line's value as written, in the checker's words; nullopt where
// it does.
std::optional<std::string> refusal(const LineInfo& line, std::string_view value);

// Every occurrence of the whole token becomes CR LF (exact, letter case counts); real CR LF in the
// body stay, so both end a line. An empty token leaves the text unchanged.
std::string normalise(std::string_view body, std::string_view token);
// Lines 0, 1, 2, ... cut at every CR LF; nothing trimmed; lines after 133 are ignored.
std::vector<std::string> split(std::string_view normalised);
// Line n, or nullopt where the feed is shorter.
std::optional<std::string_view> line(const std::vector<std::string>& lines, std::size_t n);
// For the news text only: "%br%" becomes CR LF, then "%tab%" becomes eight spaces.
std::string substituteNewsText(std::string_view text);

} // namespace bt::feed

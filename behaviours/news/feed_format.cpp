#include "behaviours/news/feed_format.h"

#include "base/link_policy.h"
#include "base/numbers.h"
#include "base/text_lines.h"

#include <algorithm>

namespace bt::feed {

namespace {

void label(std::array<LineInfo, kLineCount>& t, const LabelLines& l) {
    t[l.caption] = {Kind::Text, "caption"};
    t[l.width] = {Kind::Size, "width"};
    t[l.height] = {Kind::Size, "height"};
    t[l.left] = {Kind::Place, "left"};
    t[l.top] = {Kind::Place, "top"};
    t[l.fontSize] = {Kind::FontSize, "font size"};
    t[l.underline] = {Kind::Boolean, "underline"};
}

std::array<LineInfo, kLineCount> build() {
    std::array<LineInfo, kLineCount> t{};
    t[kWindowCaption] = {Kind::Text, "caption"};
    t[kExitLeft] = {Kind::Place, "left"};
    t[kExitTop] = {Kind::Place, "top"};
    t[kPageVisible] = {Kind::Boolean, "visible"};
    t[kPage] = {Kind::WebLink, "page"};
    t[kPageLeft] = {Kind::Place, "left"};
    t[kPageTop] = {Kind::Place, "top"};
    label(t,
          {kNewsText, kNewsWidth, kNewsHeight, kNewsLeft, kNewsTop, kNewsFontSize, kNewsUnderline});
    t[kNewsBold] = {Kind::Boolean, "bold"};
    for (int k = 1; k <= kLinkCount; ++k) {
        const LinkLines l = link(k);
        label(t, l.label);
        t[l.target] = {Kind::WebLink, "link target"};
        t[l.description] = {Kind::Text, "hover description"};
        label(t, l.clickLabel);
        t[l.clickTarget] = {Kind::WebLink, "click target"};
        t[l.page] = {Kind::WebLink, "page"};
    }
    t[kPageHeight] = {Kind::Size, "height"};
    t[kPageWidth] = {Kind::Size, "width"};
    t[kWindowHeight] = {Kind::Size, "height"};
    t[kWindowWidth] = {Kind::Size, "width"};
    label(t, kDeclineBox);
    return t;
}

} // namespace

const std::array<LineInfo, kLineCount>& lineTable() {
    static const std::array<LineInfo, kLineCount> table = build();
    return table;
}

std::string normalise(std::string_view body, std::string_view token) {
    return replaceAll(body, token, "\r\n");
}

std::vector<std::string> split(std::string_view normalised) {
    std::vector<std::string> lines = splitCrLf(normalised);
    lines.resize(std::min(lines.size(), kLineCount)); // lines past the last one mean nothing
    return lines;
}

std::optional<std::string_view> line(const std::vector<std::string>& lines, std::size_t n) {
    if (n >= lines.size())
        return std::nullopt;
    return lines.at(n);
}

std::string substituteNewsText(std::string_view text) {
    return replaceAll(replaceAll(text, "%br%", "\r\n"), "%tab%", "        ");
}

namespace {

// A decimal number ("1680", "-120", "8.25"), whatever the player's own separator.
std::optional<double> number(std::string_view value) {
    return parseNumber(value, '.');
}

std::optional<int> twips(std::string_view value, double least) {
    const auto v = number(value);
    if (!v || *v < least || *v > kMaxTwips)
        return std::nullopt;
    return roundHalfEven32(*v);
}

std::string quoted(std::string_view value) {
    // Built up piece by piece: MinGW's GCC 12 warns falsely of overlap on a literal + a string.
    std::string out(1, '"');
    out.append(value).push_back('"');
    return out;
}

// The words for a number the window refuses: not one, or outside what it takes.
std::string numberRefusal(const std::string& what, std::string_view value,
                          const std::string& range) {
    if (!number(value))
        return what + ": " + quoted(value) + " is not a number";
    return what + " must be " + range;
}

} // namespace

std::optional<int> place(std::string_view value) {
    return twips(value, -kMaxTwips);
}

std::optional<int> size(std::string_view value) {
    return twips(value, 0);
}

std::optional<double> fontSize(std::string_view value) {
    const auto v = number(value);
    if (!v || *v <= 0 || *v > kMaxFontSize)
        return std::nullopt;
    return v;
}

std::optional<bool> boolean(std::string_view value) {
    if (equalsIgnoringCase(value, "true"))
        return true;
    if (equalsIgnoringCase(value, "false"))
        return false;
    if (const auto n = number(value))
        return *n != 0.0;
    return std::nullopt;
}

std::optional<std::string> webLink(std::string_view value) {
    return isWebLink(value) ? std::string(value) : std::string();
}

std::optional<std::string> refusal(const LineInfo& line, std::string_view value) {
    const std::string what = line.what;
    const std::string most = std::to_string(kMaxTwips);
    switch (line.kind) {
    case Kind::Text:
        return std::nullopt;
    case Kind::Place:
        if (place(value))
            return std::nullopt;
        return numberRefusal(what, value, "from -" + most + " to " + most + " twips");
    case Kind::Size:
        if (feed::size(value))
            return std::nullopt;
        return numberRefusal(what, value, "from 0 to " + most + " twips");
    case Kind::FontSize:
        if (fontSize(value))
            return std::nullopt;
        return numberRefusal(what, value, "above 0 and at most " + std::to_string(kMaxFontSize));
    case Kind::Boolean:
        if (boolean(value))
            return std::nullopt;
        return what + ": " + quoted(value) + " is not True, False or a number";
    case Kind::WebLink:
        if (!webLink(value)->empty())
            return std::nullopt;
        return what + ": " + quoted(value) + " will not open: only http:// and https:// do";
    }
    return std::nullopt;
}

} // namespace bt::feed

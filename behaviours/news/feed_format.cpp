#include "behaviours/news/feed_format.h"

#include "base/numbers.h"
#include "base/text_lines.h"

#include <algorithm>

namespace bt::feed {

namespace {

void label(std::array<LineInfo, kLineCount>& t, const LabelLines& l) {
    t[l.caption] = {Kind::Text, "caption"};
    t[l.width] = {Kind::Size, "width"};
    t[l.height] = {Kind::Size, "height"};
    t[l.left] = {Kind::Number, "left"};
    t[l.top] = {Kind::Number, "top"};
    t[l.fontSize] = {Kind::FontSize, "font size"};
    t[l.underline] = {Kind::Boolean, "underline"};
}

std::array<LineInfo, kLineCount> build() {
    std::array<LineInfo, kLineCount> t{};
    t[kWindowCaption] = {Kind::Text, "caption"};
    t[kExitLeft] = {Kind::Number, "left"};
    t[kExitTop] = {Kind::Number, "top"};
    t[kPageVisible] = {Kind::Boolean, "visible"};
    t[kPage] = {Kind::WebLink, "page"};
    t[kPageLeft] = {Kind::Number, "left"};
    t[kPageTop] = {Kind::Number, "top"};
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

std::optional<double> numberAt(const std::vector<std::string>& lines, std::size_t n) {
    const auto l = line(lines, n);
    return l ? number(*l) : std::nullopt;
}

std::optional<double> number(std::string_view value) {
    return parseNumber(value, '.');
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

} // namespace bt::feed

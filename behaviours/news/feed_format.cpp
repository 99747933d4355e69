#include "behaviours/news/feed_format.h"

#include "base/numbers.h"
#include "base/text_lines.h"

#include <algorithm>

namespace bt::feed {

namespace {

void label(std::array<LineInfo, kLineCount>& t, const LabelLines& l, bool layout,
           const char* name) {
    t[l.caption] = {Kind::Text, layout, name};
    t[l.width] = {Kind::Size, layout, "width"};
    t[l.height] = {Kind::Size, layout, "height"};
    t[l.left] = {Kind::Number, layout, "left"};
    t[l.top] = {Kind::Number, layout, "top"};
    t[l.fontSize] = {Kind::FontSize, layout, "font size"};
    t[l.underline] = {Kind::Boolean, layout, "underline"};
}

std::array<LineInfo, kLineCount> build() {
    std::array<LineInfo, kLineCount> t{};
    t[kWindowCaption] = {Kind::Text, true, "caption"};
    t[kExitLeft] = {Kind::Number, true, "left"};
    t[kExitTop] = {Kind::Number, true, "top"};
    t[kPageVisible] = {Kind::Boolean, true, "visible"};
    t[kPage] = {Kind::WebLink, true, "page"};
    t[kPageLeft] = {Kind::Number, true, "left"};
    t[kPageTop] = {Kind::Number, true, "top"};
    label(t,
          {kNewsText, kNewsWidth, kNewsHeight, kNewsLeft, kNewsTop, kNewsFontSize, kNewsUnderline},
          true, "caption");
    t[kNewsBold] = {Kind::Boolean, true, "bold"};
    for (int k = 1; k <= 6; ++k) {
        const LinkLines l = link(k);
        label(t, l.label, true, "caption");
        t[l.target] = {Kind::WebLink, true, "link target"};
        t[l.description] = {Kind::Text, false, "hover description"};
        label(t, l.clickLabel, false, "caption");
        t[l.clickTarget] = {Kind::WebLink, false, "click target"};
        t[l.page] = {Kind::WebLink, false, "page"};
    }
    t[kPageHeight] = {Kind::Size, true, "height"};
    t[kPageWidth] = {Kind::Size, true, "width"};
    t[kWindowHeight] = {Kind::Size, true, "height"};
    t[kWindowWidth] = {Kind::Size, true, "width"};
    label(t, kDeclineBox, true, "caption");
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

std::string substituteNewsText(std::string_view text) {
    return replaceAll(replaceAll(text, "%br%", "\r\n"), "%tab%", "        ");
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

#include "behaviours/news/news_layout.h"

#include "base/news_window_controls.h"
#include "base/numbers.h"
#include "behaviours/news/feed.h"

#include <cmath>

namespace bt {

namespace {

// Twips beyond this are no window anyone can show (over 20 m at 96 DPI).
constexpr double kMaxTwips = 1'000'000;
constexpr double kMaxFontSize = 1000;

std::optional<int> twips(std::string_view value, bool size) {
    const auto n = feedNumber(value);
    if (!n || std::fabs(*n) > kMaxTwips || (size && *n < 0))
        return std::nullopt;
    return roundHalfEven32(*n);
}

std::optional<double> fontSize(std::string_view value) {
    const auto n = feedNumber(value);
    if (!n || *n <= 0 || *n > kMaxFontSize)
        return std::nullopt;
    return n;
}

// The label a line applies to, for the lines that name a label.
Label& labelOf(NewsWindowControls& w, const FeedLineDef& def) {
    switch (def.target) {
    case FeedTarget::LinkLabel:
        return w.linkLabel(def.link);
    case FeedTarget::OpenLinkLabel:
        return w.openLinkLabel;
    default:
        return w.newsText;
    }
}

// The control whose place and size a line sets.
Control& controlOf(NewsWindowControls& w, const FeedLineDef& def) {
    switch (def.target) {
    case FeedTarget::ExitButton:
        return w.exitButton;
    case FeedTarget::PageView:
        return w.pageView;
    case FeedTarget::DeclineBox:
        return w.declineBox;
    default:
        return labelOf(w, def);
    }
}

void applyGeometry(NewsWindowControls& w, const FeedLineDef& def, std::string_view value) {
    const bool size = def.property == FeedProperty::Width || def.property == FeedProperty::Height;
    const auto v = twips(value, size);
    if (!v)
        return;
    if (def.target == FeedTarget::Window) {
        if (def.property == FeedProperty::Height)
            w.window.setOuterHeight(*v);
        else
            w.window.setOuterWidth(*v);
        return;
    }
    Control& c = controlOf(w, def);
    switch (def.property) {
    case FeedProperty::Left:
        c.setLeft(*v);
        break;
    case FeedProperty::Top:
        c.setTop(*v);
        break;
    case FeedProperty::Width:
        c.setWidth(*v);
        break;
    default:
        c.setHeight(*v);
        break;
    }
}

void applyFont(NewsWindowControls& w, const FeedLineDef& def, std::string_view value) {
    if (def.property == FeedProperty::FontSize) {
        if (const auto s = fontSize(value))
            def.target == FeedTarget::DeclineBox ? w.declineBox.setFontSize(*s)
                                                 : labelOf(w, def).setFontSize(*s);
        return;
    }
    const auto b = feedBoolean(value);
    if (!b)
        return;
    if (def.target == FeedTarget::DeclineBox)
        w.declineBox.setFontUnderline(*b);
    else if (def.property == FeedProperty::FontBold)
        labelOf(w, def).setFontBold(*b);
    else
        labelOf(w, def).setFontUnderline(*b);
}

} // namespace

void applyFeedLine(NewsWindowControls& w, const FeedLineDef& def, std::string_view value) {
    switch (def.property) {
    case FeedProperty::Caption:
        if (def.target == FeedTarget::Window)
            w.window.setCaption(std::string(value));
        else if (def.target == FeedTarget::DeclineBox)
            w.declineBox.setCaption(std::string(value));
        else
            labelOf(w, def).setCaption(std::string(value));
        break;
    case FeedProperty::Left:
    case FeedProperty::Top:
    case FeedProperty::Width:
    case FeedProperty::Height:
        applyGeometry(w, def, value);
        break;
    case FeedProperty::Visible:
        if (const auto b = feedBoolean(value))
            w.pageView.setVisible(*b);
        break;
    case FeedProperty::Page:
        w.pageView.navigate(std::string(value));
        break;
    case FeedProperty::FontSize:
    case FeedProperty::FontBold:
    case FeedProperty::FontUnderline:
        applyFont(w, def, value);
        break;
    case FeedProperty::LinkTarget:
        w.linkTarget[static_cast<std::size_t>(def.link - 1)] = std::string(value);
        break;
    case FeedProperty::HoverDescription:
        w.newsText.setCaption(substituteNewsText(value));
        break;
    case FeedProperty::ClickTarget:
        w.hoveredLinkTarget = std::string(value);
        break;
    }
}

void layoutStep(NewsWindowControls& w) {
    const std::vector<std::string> lines = splitFeed(w.feedText);
    w.connectingLabel.setVisible(false);
    for (const FeedLineDef& def : feedTable())
        if (def.layout && def.line < lines.size())
            applyFeedLine(w, def, lines[def.line]);
    // The news text's own markup, once its caption is in place.
    w.newsText.setCaption(substituteNewsText(w.newsText.caption()));
}

} // namespace bt

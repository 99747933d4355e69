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

// The control a line's geometry applies to.
Control* geometryTarget(NewsWindowControls& w, const FeedLineDef& def) {
    switch (def.target) {
    case FeedTarget::ExitButton:
        return &w.exitButton;
    case FeedTarget::PageView:
        return &w.pageView;
    case FeedTarget::NewsText:
        return &w.newsText;
    case FeedTarget::LinkLabel:
        return &w.linkLabel(def.link);
    case FeedTarget::OpenLinkLabel:
        return &w.openLinkLabel;
    case FeedTarget::DeclineBox:
        return &w.declineBox;
    case FeedTarget::Window:
        return nullptr;
    }
    return nullptr;
}

Label* labelTarget(NewsWindowControls& w, const FeedLineDef& def) {
    switch (def.target) {
    case FeedTarget::NewsText:
        return &w.newsText;
    case FeedTarget::LinkLabel:
        return &w.linkLabel(def.link);
    case FeedTarget::OpenLinkLabel:
        return &w.openLinkLabel;
    default:
        return nullptr;
    }
}

bool applyGeometry(NewsWindowControls& w, const FeedLineDef& def, std::string_view value) {
    const bool size = def.property == FeedProperty::Width || def.property == FeedProperty::Height;
    const auto v = twips(value, size);
    if (!v)
        return false;
    if (def.target == FeedTarget::Window) {
        if (def.property == FeedProperty::Height)
            w.window.setOuterHeight(*v);
        else if (def.property == FeedProperty::Width)
            w.window.setOuterWidth(*v);
        return true;
    }
    Control* c = geometryTarget(w, def);
    switch (def.property) {
    case FeedProperty::Left:
        c->setLeft(*v);
        break;
    case FeedProperty::Top:
        c->setTop(*v);
        break;
    case FeedProperty::Width:
        c->setWidth(*v);
        break;
    case FeedProperty::Height:
        c->setHeight(*v);
        break;
    default:
        return false;
    }
    return true;
}

bool applyFont(NewsWindowControls& w, const FeedLineDef& def, std::string_view value) {
    if (def.property == FeedProperty::FontSize) {
        const auto s = fontSize(value);
        if (!s)
            return false;
        if (def.target == FeedTarget::DeclineBox)
            w.declineBox.setFontSize(*s);
        else
            labelTarget(w, def)->setFontSize(*s);
        return true;
    }
    const auto b = feedBoolean(value);
    if (!b)
        return false;
    if (def.target == FeedTarget::DeclineBox)
        w.declineBox.setFontUnderline(*b);
    else if (def.property == FeedProperty::FontBold)
        labelTarget(w, def)->setFontBold(*b);
    else
        labelTarget(w, def)->setFontUnderline(*b);
    return true;
}

} // namespace

bool applyFeedLine(NewsWindowControls& w, const FeedLineDef& def, std::string_view value) {
    switch (def.property) {
    case FeedProperty::Caption:
        if (def.target == FeedTarget::Window)
            w.window.setCaption(std::string(value));
        else if (def.target == FeedTarget::DeclineBox)
            w.declineBox.setCaption(std::string(value));
        else
            labelTarget(w, def)->setCaption(std::string(value));
        return true;
    case FeedProperty::Left:
    case FeedProperty::Top:
    case FeedProperty::Width:
    case FeedProperty::Height:
        return applyGeometry(w, def, value);
    case FeedProperty::Visible: {
        const auto b = feedBoolean(value);
        if (!b)
            return false;
        w.pageView.setVisible(*b);
        return true;
    }
    case FeedProperty::Page:
        w.pageView.navigate(std::string(value));
        return true;
    case FeedProperty::FontSize:
    case FeedProperty::FontBold:
    case FeedProperty::FontUnderline:
        return applyFont(w, def, value);
    case FeedProperty::LinkTarget:
        w.linkTarget[static_cast<std::size_t>(def.link - 1)] = std::string(value);
        return true;
    case FeedProperty::HoverDescription:
        w.newsText.setCaption(substituteNewsText(value));
        return true;
    case FeedProperty::ClickTarget:
        w.hoveredLinkTarget = std::string(value);
        return true;
    }
    return false;
}

std::vector<std::size_t> layoutStep(NewsWindowControls& w) {
    const std::vector<std::string> lines = splitFeed(w.feedText);
    std::vector<std::size_t> skipped;
    auto apply = [&](std::size_t n) {
        const FeedLineDef& def = feedTable()[n];
        if (n >= lines.size() || !applyFeedLine(w, def, lines[n]))
            skipped.push_back(n);
    };
    w.connectingLabel.setVisible(false);
    for (std::size_t n = 0; n <= 72; ++n)
        if (feedTable()[n].layout)
            apply(n);
    w.newsText.setCaption(substituteNewsText(w.newsText.caption()));
    for (std::size_t n = 127; n < kFeedLines; ++n)
        apply(n);
    return skipped;
}

} // namespace bt

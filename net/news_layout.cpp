#include "net/news_layout.h"

#include "engine/key_interval.h"
#include "net/feed.h"
#include "ui/form2_controls.h"

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
Control* geometryTarget(Form2Controls& f, const FeedLineDef& def) {
    switch (def.target) {
    case FeedTarget::ExitButton:
        return &f.command1;
    case FeedTarget::Browser:
        return &f.webBrowser1;
    case FeedTarget::NewsText:
        return &f.label(1);
    case FeedTarget::LinkLabel:
        return &f.linkLabel(def.link);
    case FeedTarget::ClickLabel:
        return &f.label(9);
    case FeedTarget::CheckBox:
        return &f.check1;
    case FeedTarget::Window:
        return nullptr;
    }
    return nullptr;
}

Label* labelTarget(Form2Controls& f, const FeedLineDef& def) {
    switch (def.target) {
    case FeedTarget::NewsText:
        return &f.label(1);
    case FeedTarget::LinkLabel:
        return &f.linkLabel(def.link);
    case FeedTarget::ClickLabel:
        return &f.label(9);
    default:
        return nullptr;
    }
}

bool applyGeometry(Form2Controls& f, const FeedLineDef& def, std::string_view value) {
    const bool size = def.property == FeedProperty::Width || def.property == FeedProperty::Height;
    const auto v = twips(value, size);
    if (!v)
        return false;
    if (def.target == FeedTarget::Window) {
        if (def.property == FeedProperty::Height)
            f.form.setOuterHeight(*v);
        else if (def.property == FeedProperty::Width)
            f.form.setOuterWidth(*v);
        return true;
    }
    Control* c = geometryTarget(f, def);
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

bool applyFont(Form2Controls& f, const FeedLineDef& def, std::string_view value) {
    if (def.property == FeedProperty::FontSize) {
        const auto s = fontSize(value);
        if (!s)
            return false;
        if (def.target == FeedTarget::CheckBox)
            f.check1.setFontSize(*s);
        else
            labelTarget(f, def)->setFontSize(*s);
        return true;
    }
    const auto b = feedBoolean(value);
    if (!b)
        return false;
    if (def.target == FeedTarget::CheckBox)
        f.check1.setFontUnderline(*b);
    else if (def.property == FeedProperty::FontBold)
        labelTarget(f, def)->setFontBold(*b);
    else
        labelTarget(f, def)->setFontUnderline(*b);
    return true;
}

} // namespace

bool applyFeedLine(Form2Controls& f, const FeedLineDef& def, std::string_view value) {
    switch (def.property) {
    case FeedProperty::Caption:
        if (def.target == FeedTarget::Window)
            f.form.setCaption(std::string(value));
        else if (def.target == FeedTarget::CheckBox)
            f.check1.setCaption(std::string(value));
        else
            labelTarget(f, def)->setCaption(std::string(value));
        return true;
    case FeedProperty::Left:
    case FeedProperty::Top:
    case FeedProperty::Width:
    case FeedProperty::Height:
        return applyGeometry(f, def, value);
    case FeedProperty::Visible: {
        const auto b = feedBoolean(value);
        if (!b)
            return false;
        f.webBrowser1.setVisible(*b);
        return true;
    }
    case FeedProperty::Page:
        f.webBrowser1.navigate(std::string(value));
        return true;
    case FeedProperty::FontSize:
    case FeedProperty::FontBold:
    case FeedProperty::FontUnderline:
        return applyFont(f, def, value);
    case FeedProperty::LinkTarget:
        f.LinkTarget[static_cast<std::size_t>(def.link - 1)] = std::string(value);
        return true;
    case FeedProperty::HoverDescription:
        f.label(1).setCaption(substituteNewsText(value));
        return true;
    case FeedProperty::ClickTarget:
        f.ActiveLinkTarget = std::string(value);
        return true;
    }
    return false;
}

std::vector<std::size_t> layoutStep(Form2Controls& f) {
    const std::vector<std::string> lines = splitFeed(f.text(1).text());
    std::vector<std::size_t> skipped;
    auto apply = [&](std::size_t n) {
        const FeedLineDef& def = feedTable()[n];
        if (n >= lines.size() || !applyFeedLine(f, def, lines[n]))
            skipped.push_back(n);
    };
    f.label(11).setVisible(false);
    for (std::size_t n = 0; n <= 72; ++n)
        if (feedTable()[n].layout)
            apply(n);
    f.label(1).setCaption(substituteNewsText(f.label(1).caption()));
    for (std::size_t n = 127; n < kFeedLines; ++n)
        apply(n);
    return skipped;
}

} // namespace bt

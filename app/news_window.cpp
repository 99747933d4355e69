#include "app/news_window.h"

#include "base/link_policy.h"
#include "base/platform.h"
#include "behaviours/news/declined_news.h"

namespace bt {

namespace {

// A feed's value replaces the control's own only where the feed has one that reads.
template <typename T, typename Set>
void put(const std::optional<T>& value, Set set) {
    if (value)
        set(*value);
}

void place(Control& c, const Place& p) {
    put(p.left, [&](int v) { c.setLeft(v); });
    put(p.top, [&](int v) { c.setTop(v); });
    put(p.width, [&](int v) { c.setWidth(v); });
    put(p.height, [&](int v) { c.setHeight(v); });
}

void lay(Label& label, const LabelLayout& l) {
    put(l.caption, [&](const std::string& v) { label.setCaption(v); });
    place(label, l.place);
    put(l.fontSize, [&](double v) { label.setFontSize(v); });
    put(l.bold, [&](bool v) { label.setFontBold(v); });
    put(l.underline, [&](bool v) { label.setFontUnderline(v); });
}

void lay(CheckBox& box, const LabelLayout& l) {
    put(l.caption, [&](const std::string& v) { box.setCaption(v); });
    place(box, l.place);
    put(l.fontSize, [&](double v) { box.setFontSize(v); });
    put(l.underline, [&](bool v) { box.setFontUnderline(v); });
}

void lay(NewsWindowControls& c, const NewsLayout& l) {
    c.connectingLabel.setVisible(false);
    put(l.caption, [&](const std::string& v) { c.window.setCaption(v); });
    place(c.exitButton, l.exitButton);
    put(l.pageVisible, [&](bool v) { c.pageView.setVisible(v); });
    put(l.page, [&](const std::string& v) { c.pageView.setUrl(v); });
    place(c.pageView, l.pageView);
    lay(c.newsText, l.newsText);
    for (int k = 1; k <= kLinkCount; ++k)
        lay(c.linkLabel(k), l.links[static_cast<std::size_t>(k - 1)].label);
    put(l.height, [&](int v) { c.window.setOuterHeight(v); });
    put(l.width, [&](int v) { c.window.setOuterWidth(v); });
    lay(c.declineBox, l.declineBox);
}

} // namespace

NewsWindow::NewsWindow(Platform& platform)
    : platform_(platform),
      download_(platform, [this](const NewsDownload::Lines& lines) { laidOut(lines); }),
      links_(
          platform, [this](int k) { showHover(k); }, [this] { showPointer(); }) {
    c_.exitButton.setOnClick([this] { unload(); });
}

void NewsWindow::open(const std::string& serverUrl, const std::string& newsId) {
    c_.newsIdBox.setText(newsId);
    loaded_ = true;
    c_.window.setVisible(true);
    download_.start(serverUrl);
}

void NewsWindow::laidOut(const NewsDownload::Lines& lines) {
    layout_ = readNewsLayout(lines);
    links_.setLayout(&*layout_);
    lay(c_, *layout_);
    c_.window.setVisible(true);
}

void NewsWindow::showHover(int k) {
    const LinkLayout& l = layout_->links[static_cast<std::size_t>(k - 1)];
    put(l.description, [&](const std::string& v) { c_.newsText.setCaption(v); });
    lay(c_.openLinkLabel, l.clickLabel);
    put(l.page, [&](const std::string& v) { c_.pageView.setUrl(v); });
}

void NewsWindow::showPointer() {
    // The hovered link takes no pointer input, as a disabled label; the others do.
    for (int k = 1; k <= kLinkCount; ++k)
        c_.linkLabel(k).setEnabled(k != links_.hovered());
    if (!links_.probing())
        return;
    c_.probeLabel.setLeft(links_.pointerX());
    c_.probeLabel.setTop(links_.pointerY());
    c_.probeLabel.setCaption(std::to_string(links_.pointerX()) + ", " +
                             std::to_string(links_.pointerY()));
}

void NewsWindow::pageClicked() {
    if (isWebLink(c_.pageView.url()))
        platform_.openLink(c_.pageView.url());
}

void NewsWindow::closingStep() {
    if (c_.declineBox.value() != 1)
        return;
    // Replaced as a whole, like "binds". The program is ending; a failure is still told, since
    // the player would otherwise see this news again without knowing why.
    writeDeclinedNews(platform_, c_.newsIdBox.text());
}

void NewsWindow::unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    download_.stop();
    closingStep();
    c_.window.setVisible(false);
    if (onUnloaded_)
        onUnloaded_();
}

} // namespace bt

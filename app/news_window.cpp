#include "app/news_window.h"

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
    put(l.page, [&](const std::string& v) { c.pageView.setPage(v); });
    place(c.pageView, l.pageView);
    lay(c.newsText, l.newsText);
    for (int k = 1; k <= kLinkCount; ++k)
        lay(c.linkLabel(k), l.links[static_cast<std::size_t>(k - 1)].label);
    put(l.height, [&](int v) { c.window.setOuterHeight(v); });
    put(l.width, [&](int v) { c.window.setOuterWidth(v); });
    lay(c.declineBox, l.declineBox);
}

} // namespace

NewsWindow::NewsWindow(Files& files, Dialogs& dialogs, Http& http, Clock& clock, Desktop& desktop)
    : files_(files), dialogs_(dialogs),
      download_(http, clock, [this](const NewsDownload::Lines& lines) { laidOut(lines); }),
      links_(
          desktop, [this](int k) { showHover(k); }, [this] { showPointer(); }) {
    c_.exitButton.setOnClick([this] { close(); });
    c_.declineBox.setOnToggled([this](bool on) {
        declined_ = on;
        showState();
    });
    // The identifier's box lies below the design area, as it always did; what the player may
    // type there is the identifier written.
    c_.newsIdBox.setOnEdited([this](const std::string& text) {
        newsId_ = text;
        showState();
    });
}

void NewsWindow::open(const std::string& serverUrl, const std::string& newsId) {
    newsId_ = newsId;
    showState();
    open_ = true;
    c_.window.setVisible(true);
    download_.start(serverUrl);
}

void NewsWindow::showState() {
    c_.newsIdBox.setText(newsId_);
    c_.declineBox.setChecked(declined_);
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
    put(l.page, [&](const std::string& v) { c_.pageView.setPage(v); });
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
    links_.open(c_.pageView.link());
}

void NewsWindow::close() {
    if (!open_)
        return;
    open_ = false;
    download_.stop();
    // Replaced as a whole, like "binds". The program is ending; a failure is still told, since
    // the player would otherwise see this news again without knowing why.
    if (declined_)
        writeDeclinedNews(files_, dialogs_, newsId_);
    c_.window.setVisible(false);
    if (onClosed_)
        onClosed_();
}

} // namespace bt

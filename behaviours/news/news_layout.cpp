#include "behaviours/news/news_layout.h"

#include "behaviours/news/feed_format.h"

namespace bt {

namespace {

// Each line through the rule of its kind (feed_format.h), which the checker applies too.
class Reader {
  public:
    explicit Reader(const std::vector<std::string>& lines) : lines_(lines) {}

    template <typename T>
    std::optional<T> read(std::size_t n, std::optional<T> (*take)(std::string_view)) const {
        const auto l = feed::line(lines_, n);
        return l ? take(*l) : std::nullopt;
    }
    std::optional<std::string> text(std::size_t n) const {
        const auto l = feed::line(lines_, n);
        return l ? std::optional<std::string>(*l) : std::nullopt;
    }
    Place place(std::size_t left, std::size_t top, std::size_t width, std::size_t height) const {
        return {read(left, feed::place), read(top, feed::place), read(width, feed::size),
                read(height, feed::size)};
    }
    LabelLayout label(const feed::LabelLines& l) const {
        LabelLayout out;
        out.caption = text(l.caption);
        out.place = place(l.left, l.top, l.width, l.height);
        out.fontSize = read(l.fontSize, feed::fontSize);
        out.underline = read(l.underline, feed::boolean);
        return out;
    }

  private:
    const std::vector<std::string>& lines_;
};

std::optional<std::string> newsText(std::optional<std::string> line) {
    if (line)
        line = feed::substituteNewsText(*line);
    return line;
}

} // namespace

NewsLayout readNewsLayout(const std::vector<std::string>& lines) {
    const Reader r(lines);
    NewsLayout out;
    out.caption = r.text(feed::kWindowCaption);
    out.width = r.read(feed::kWindowWidth, feed::size);
    out.height = r.read(feed::kWindowHeight, feed::size);
    out.exitButton.left = r.read(feed::kExitLeft, feed::place);
    out.exitButton.top = r.read(feed::kExitTop, feed::place);
    out.pageVisible = r.read(feed::kPageVisible, feed::boolean);
    out.page = r.read(feed::kPage, feed::webLink);
    out.pageView = r.place(feed::kPageLeft, feed::kPageTop, feed::kPageWidth, feed::kPageHeight);
    out.newsText = r.label({feed::kNewsText, feed::kNewsWidth, feed::kNewsHeight, feed::kNewsLeft,
                            feed::kNewsTop, feed::kNewsFontSize, feed::kNewsUnderline});
    out.newsText.caption = newsText(out.newsText.caption);
    out.newsText.bold = r.read(feed::kNewsBold, feed::boolean);
    for (int k = 1; k <= kLinkCount; ++k) {
        const feed::LinkLines l = feed::link(k);
        LinkLayout& link = out.links[static_cast<std::size_t>(k - 1)];
        link.label = r.label(l.label);
        link.target = r.read(l.target, feed::webLink);
        link.description = newsText(r.text(l.description));
        link.clickLabel = r.label(l.clickLabel);
        link.clickTarget = r.read(l.clickTarget, feed::webLink);
        link.page = r.read(l.page, feed::webLink);
    }
    out.declineBox = r.label(feed::kDeclineBox);
    return out;
}

} // namespace bt

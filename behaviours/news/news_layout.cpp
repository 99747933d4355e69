#include "behaviours/news/news_layout.h"

#include "base/numbers.h"
#include "behaviours/news/feed_format.h"

#include <cmath>

namespace bt {

namespace {

// Twips beyond this are no window anyone can show (over 20 m at 96 DPI).
constexpr double kMaxTwips = 1'000'000;
constexpr double kMaxFontSize = 1000;

class Reader {
  public:
    explicit Reader(const std::vector<std::string>& lines) : lines_(lines) {}

    std::optional<std::string> text(std::size_t n) const {
        const auto l = feed::line(lines_, n);
        return l ? std::optional<std::string>(*l) : std::nullopt;
    }
    std::optional<int> twips(std::size_t n, bool size) const {
        const auto v = feed::numberAt(lines_, n);
        if (!v || std::fabs(*v) > kMaxTwips || (size && *v < 0))
            return std::nullopt;
        return roundHalfEven32(*v);
    }
    std::optional<double> fontSize(std::size_t n) const {
        const auto v = feed::numberAt(lines_, n);
        if (!v || *v <= 0 || *v > kMaxFontSize)
            return std::nullopt;
        return v;
    }
    std::optional<bool> boolean(std::size_t n) const {
        const auto l = feed::line(lines_, n);
        return l ? feed::boolean(*l) : std::nullopt;
    }
    LabelLayout label(const feed::LabelLines& l) const {
        LabelLayout out;
        out.caption = text(l.caption);
        out.place = {twips(l.left, false), twips(l.top, false), twips(l.width, true),
                     twips(l.height, true)};
        out.fontSize = fontSize(l.fontSize);
        out.underline = boolean(l.underline);
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
    out.width = r.twips(feed::kWindowWidth, true);
    out.height = r.twips(feed::kWindowHeight, true);
    out.exitButton.left = r.twips(feed::kExitLeft, false);
    out.exitButton.top = r.twips(feed::kExitTop, false);
    out.pageVisible = r.boolean(feed::kPageVisible);
    out.page = r.text(feed::kPage);
    out.pageView = {r.twips(feed::kPageLeft, false), r.twips(feed::kPageTop, false),
                    r.twips(feed::kPageWidth, true), r.twips(feed::kPageHeight, true)};
    out.newsText = r.label({feed::kNewsText, feed::kNewsWidth, feed::kNewsHeight, feed::kNewsLeft,
                            feed::kNewsTop, feed::kNewsFontSize, feed::kNewsUnderline});
    out.newsText.caption = newsText(out.newsText.caption);
    out.newsText.bold = r.boolean(feed::kNewsBold);
    for (int k = 1; k <= kLinkCount; ++k) {
        const feed::LinkLines l = feed::link(k);
        LinkLayout& link = out.links[static_cast<std::size_t>(k - 1)];
        link.label = r.label(l.label);
        link.target = r.text(l.target);
        link.description = newsText(r.text(l.description));
        link.clickLabel = r.label(l.clickLabel);
        link.clickTarget = r.text(l.clickTarget);
        link.page = r.text(l.page);
    }
    out.declineBox = r.label(feed::kDeclineBox);
    return out;
}

} // namespace bt

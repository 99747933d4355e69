// The news window: its download sequence, the layout from the sample feed and from broken ones,
// the hovers and links, the coordinate probe, and declining the news.

#include "base/text_lines.h"
#include "main_window_fixture.h"

#include <fstream>
#include <iterator>
#include <map>

namespace bt::test {
namespace {

std::string sample(const std::string& name) {
    std::ifstream in(std::string(BRONTEK_SAMPLE_SITE) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct NewsTest : ::testing::Test {
    FakePlatform p;
    NewsWindow news{p};
    NewsWindowControls& c = news.controls();
    NewsLinks& links = news.links();
    std::string token = sample("br.html");
    std::string feed = sample("data.html");
    std::vector<std::string> lines = splitCrLf(replaceAll(feed, token, "\r\n"));
    const std::string base = kBase;

    // Opens the window and answers its two downloads.
    void openWith(HttpResult body, HttpResult separator) {
        news.open(base, "news-7");
        p.advance(2000);
        p.respondTo(base + "data.html", std::move(body));
        p.advance(1);
        p.respondTo(base + "br.html", std::move(separator));
        p.advance(1);
    }
    // The sample feed with some lines replaced, and the sample's token.
    void openSample(std::map<std::size_t, std::string> changes = {}, std::string extra = {}) {
        std::string body;
        for (std::size_t n = 0; n < lines.size(); ++n)
            body += (changes.count(n) ? changes[n] : lines[n]) + token;
        openWith(ok(body + extra), ok(token));
    }
};

TEST_F(NewsTest, DownloadsTheFeedThenTheTokenThenLaysTheSampleOut) {
    news.open(base, "news-7");
    EXPECT_TRUE(c.window.visible());
    p.advance(1999);
    EXPECT_TRUE(p.requests.empty());
    p.advance(1);
    ASSERT_TRUE(p.respondTo(base + "data.html", ok(feed)));
    p.advance(1);
    EXPECT_TRUE(c.connectingLabel.visible());
    ASSERT_TRUE(p.respondTo(base + "br.html", ok(token)));
    p.advance(1);
    EXPECT_FALSE(c.connectingLabel.visible());
    for (Timer* t : c.timers())
        EXPECT_FALSE(t->enabled());
    EXPECT_EQ(c.window.caption(), lines[0]);
    EXPECT_TRUE(c.pageView.visible());
    EXPECT_EQ(p.navigations.at(0).second, lines[4]);
    EXPECT_EQ(c.newsText.caption(), "Brontek Tarnlow 1.0 is out!\r\n\r\nBind every keypad key to a "
                                    "voice message\r\nand play without opening the menu by "
                                    "hand.\r\n\r\nPoint at a link below to read more.");
    EXPECT_EQ(c.linkLabel(4).rect(), (Rect{240, 3240, 2640, 255}));
    EXPECT_EQ(c.declineBox.rect(), (Rect{240, 4380, 4200, 255}));
    EXPECT_TRUE(c.linkLabel(6).font().underline);
    EXPECT_EQ(std::make_pair(c.window.outerWidth(), c.window.outerHeight()),
              std::make_pair(9000, 5400));
    EXPECT_EQ(c.openLinkLabel.caption(), "Link_click") << "hover lines wait for a hover";
}

TEST(NewsFailureTest, AFailedDownloadStopsInTheConnectingLayoutAndStaysClosable) {
    const std::string base = kBase;
    struct Case {
        HttpResult feed;
        HttpResult token; // not asked when the feed failed
        int responseCode;
    };
    for (const Case& k :
         {Case{{404, 404, "nope", {}}, {}, 404}, Case{{-7, 0, {}, "refused"}, {}, -7},
          Case{ok("a|b"), {500, 500, "", {}}, 0}}) {
        SCOPED_TRACE(k.feed.responseCode);
        FakePlatform p;
        NewsWindow news(p);
        news.open(base, "x");
        p.advance(2000);
        p.respondTo(base + "data.html", k.feed);
        p.advance(1);
        EXPECT_EQ(p.respondTo(base + "br.html", k.token), k.feed.responseCode == 0);
        p.advance(100);
        const NewsWindowControls& c = news.controls();
        EXPECT_EQ(c.responseCode, k.responseCode);
        EXPECT_TRUE(c.connectingLabel.visible());
        EXPECT_FALSE(c.pageView.visible());
        EXPECT_EQ(c.window.caption(), "Brontek news");
        for (Timer* t : news.controls().timers())
            EXPECT_FALSE(t->enabled()) << "nothing can change any more";
        news.controls().exitButton.click();
        EXPECT_FALSE(news.loaded());
    }
}

TEST_F(NewsTest, AShortOrBrokenFeedIsLaidOutAsFarAsItIsGood) {
    openWith(ok("Short news|9000|300|False"), ok("|"));
    EXPECT_EQ(c.window.caption(), "Short news");
    EXPECT_EQ(c.exitButton.rect().left, 9000);
    EXPECT_FALSE(c.connectingLabel.visible());
    EXPECT_EQ(c.linkLabel(1).caption(), "Link1");
    EXPECT_EQ(c.window.outerHeight(), 0) << "design size kept";
    links.pointerOverLink(3, kNoButton, 0, 0); // nothing to read: no failure
}

TEST_F(NewsTest, BadValuesAreSkippedAndTheRestIsLaidOut) {
    const std::map<std::size_t, std::string> changes = {{1, "left"},     {8, "-300"}, {12, "True"},
                                                        {13, "perhaps"}, {14, "0"},   {20, "1000"},
                                                        {29, "1001"},    {132, "12"}};
    openSample(changes, "extra" + token + "lines");
    EXPECT_EQ(c.exitButton.rect().left, 1680) << "design value kept";
    EXPECT_EQ(c.exitButton.rect().top, 4320);
    EXPECT_EQ(c.newsText.rect().width, 5055);
    EXPECT_EQ(c.newsText.rect().left, 240);
    EXPECT_TRUE(c.newsText.font().underline);
    EXPECT_FALSE(c.newsText.font().bold) << "not a boolean: design value kept";
    EXPECT_EQ(c.newsText.font().size, 8.25);
    EXPECT_EQ(c.linkLabel(1).font().size, 1000) << "the largest font size";
    EXPECT_EQ(c.linkLabel(2).font().size, 8.25) << "one more is not";
    EXPECT_EQ(c.declineBox.caption(), lines[127]) << "lines after 133 are ignored";
    EXPECT_EQ(c.declineBox.font().size, 12);
}

TEST_F(NewsTest, HoveringLink3ThenLink5) {
    openSample();
    links.pointerOverLink(3, kNoButton, 100, 100);
    EXPECT_FALSE(c.linkLabel(3).enabled());
    links.pointerOverLink(5, kNoButton, 100, 100);
    for (int k = 1; k <= kLinkCount; ++k)
        EXPECT_EQ(c.linkLabel(k).enabled(), k != 5) << k;
    EXPECT_EQ(c.newsText.caption(),
              replaceAll(replaceAll(lines[59], "%br%", "\r\n"), "%tab%", "        "));
    EXPECT_EQ(c.openLinkLabel.caption(), lines[105]);
    EXPECT_EQ(c.openLinkLabel.rect(), (Rect{240, 3720, 8400, 255}));
    EXPECT_EQ(p.navigations.back().second, lines[125]);
    links.openLinkClicked();
    EXPECT_EQ(p.linksOpened, (std::vector<std::string>{lines[112]}));
    // Coming onto the hovered link again reaches the window instead, and so does a click on it.
    const auto navigations = p.navigations.size();
    links.pointerOverLink(5, kLeftButton, 300, 400);
    EXPECT_EQ(p.navigations.size(), navigations);
    EXPECT_EQ(c.pointerX, 300);
    EXPECT_EQ(c.pointerY, 400);
    links.probeClicked(); // the probe shows the pointer's place in twips, within 16 bits
    p.advance(1);
    EXPECT_EQ(c.probeLabel.caption(), "300, 400");
    EXPECT_EQ(c.probeLabel.rect().left, 300);
    links.surfaceMoved(40000.4, -56.5);
    p.advance(1);
    EXPECT_EQ(c.probeLabel.caption(), "32767, -56");
    EXPECT_EQ(c.probeLabel.rect().top, -56);
    links.linkClicked(5);
    EXPECT_EQ(p.linksOpened.size(), 1u);
    EXPECT_FALSE(c.probeTimer.enabled()) << "a click on the window stops the probe";
    links.probeClicked();
    links.probeClicked();
    EXPECT_FALSE(c.probeTimer.enabled()) << "the probe's label starts and stops it";
}

TEST_F(NewsTest, LinksOpenOnClickOrALeftButtonMoveOntoLink1AndOnlyWebAddresses) {
    openSample({{22, "C:\\Windows\\System32\\calc.exe"},
                {31, "file:///etc/passwd"},
                {40, "HTTPS://example.org/ok"},
                {80, "javascript:alert(1)"}});
    links.openLinkClicked(); // before any hover: nothing to open
    links.pointerOverLink(1, kRightButton, 0, 0);
    links.pointerOverLink(2, kNoButton, 0, 0);
    links.pointerOverLink(1, kLeftButton | kRightButton, 0, 0);
    links.pointerOverLink(2, kLeftButton, 0, 0);
    EXPECT_TRUE(p.linksOpened.empty());
    links.pointerOverLink(1, kLeftButton, 0, 0); // opens line 22, which is no web address
    links.openLinkClicked();                     // line 80, neither
    for (int k : {2, 3, 4, 6})
        links.linkClicked(k);
    EXPECT_EQ(p.linksOpened,
              (std::vector<std::string>{"HTTPS://example.org/ok", lines[49], lines[67]}));
}

TEST_F(NewsTest, ClosingWritesTheIdentifierOnlyWithTheBoxTicked) {
    p.files["data"] = "older-news\r\nmore\r\n";
    news.open(base, "news-7");
    p.advance(1000);
    news.unload(); // before the download: it never starts
    p.advance(5000);
    EXPECT_TRUE(p.requests.empty());
    EXPECT_EQ(p.files["data"], "older-news\r\nmore\r\n");
    for (const char* error : {"No space left on device", ""}) {
        NewsWindow again(p);
        again.open(base, "news-8");
        p.advance(2000); // the download under way is cancelled by the close
        again.controls().declineBox.setValue(1);
        p.writeError = *error ? std::optional<std::string>(error) : std::nullopt;
        again.controls().exitButton.click();
        EXPECT_FALSE(again.loaded());
        EXPECT_EQ(p.pendingCount(), 0u);
    }
    ASSERT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_NE(p.messageBoxes[0].prompt.find("No space left on device"), std::string::npos);
    EXPECT_EQ(p.files["data"], "news-8\r\n");
}

} // namespace
} // namespace bt::test

// The news window: its download sequence, the layout from the sample feed and from broken ones,
// the hovers and links, the coordinate probe, and declining the news.

#include "app/news_window.h"
#include "backends/fake/fake_platform.h"
#include "base/text_lines.h"
#include "main_window_fixture.h"

#include <fstream>
#include <iterator>

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

    // Opens the window and answers its two downloads.
    void openWith(const std::string& body, const std::string& separator,
                  const std::string& base = kBase) {
        news.open(base, "news-7");
        p.advance(2000);
        ASSERT_TRUE(p.respondTo(base + "data.html", ok(body)));
        p.advance(1);
        ASSERT_TRUE(p.respondTo(base + "br.html", ok(separator)));
        p.advance(1);
    }
    void openSample() { openWith(feed, token); }
    // The sample feed with some lines replaced.
    std::string sampleWith(std::map<std::size_t, std::string> changes) {
        std::string body;
        for (std::size_t n = 0; n < lines.size(); ++n)
            body += (changes.count(n) ? changes[n] : lines[n]) + token;
        return body;
    }
};

TEST_F(NewsTest, DownloadsTheFeedThenTheTokenThenLaysTheSampleOut) {
    news.open(kBase, "news-7");
    EXPECT_TRUE(c.window.visible());
    EXPECT_EQ(c.window.caption(), "Brontek news");
    p.advance(1999);
    EXPECT_TRUE(p.requests.empty());
    p.advance(1);
    ASSERT_TRUE(p.respondTo(std::string(kBase) + "data.html", ok(feed)));
    p.advance(1);
    EXPECT_TRUE(c.connectingLabel.visible());
    ASSERT_TRUE(p.respondTo(std::string(kBase) + "br.html", ok(token)));
    p.advance(1);
    EXPECT_FALSE(c.connectingLabel.visible());
    for (Timer* t : c.timers())
        EXPECT_FALSE(t->enabled());

    EXPECT_EQ(c.window.caption(), lines[0]);
    EXPECT_EQ(c.exitButton.rect().left, 7560);
    EXPECT_EQ(c.exitButton.rect().top, 4320);
    EXPECT_TRUE(c.pageView.visible());
    EXPECT_EQ(c.pageView.rect(), (Rect{5040, 240, 3600, 2400}));
    EXPECT_EQ(p.navigations.at(0).second, lines[4]);
    EXPECT_EQ(c.newsText.caption(), "Brontek Tarnlow 1.0 is out!\r\n\r\nBind every keypad key to a "
                                    "voice message\r\nand play without opening the menu by "
                                    "hand.\r\n\r\nPoint at a link below to read more.");
    EXPECT_EQ(c.newsText.font().size, 9.75);
    EXPECT_EQ(c.linkLabel(2).caption(), "United Offensive");
    EXPECT_EQ(c.linkLabel(4).rect(), (Rect{240, 3240, 2640, 255}));
    EXPECT_TRUE(c.linkLabel(6).font().underline);
    EXPECT_EQ(c.linkTarget[4], lines[58]);
    EXPECT_EQ(c.linkTarget[5], lines[67]);
    EXPECT_EQ(c.window.outerHeight(), 5400);
    EXPECT_EQ(c.window.outerWidth(), 9000);
    EXPECT_EQ(c.declineBox.caption(), "Do not show this window next time.");
    EXPECT_EQ(c.declineBox.rect().top, 4380);
    EXPECT_EQ(c.openLinkLabel.caption(), "Link_click") << "hover lines wait for a hover";
}

struct FailureCase {
    const char* name;
    HttpResult feed;
    std::optional<HttpResult> token; // nullopt: never asked
    int responseCode;
};
class NewsFailureTest : public NewsTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(NewsFailureTest, AFailedDownloadStopsInTheConnectingLayoutAndStaysClosable) {
    news.open(kBase, "x");
    p.advance(2000);
    p.respondTo(std::string(kBase) + "data.html", GetParam().feed);
    p.advance(1);
    EXPECT_EQ(p.isPending(std::string(kBase) + "br.html"), GetParam().token.has_value());
    if (GetParam().token)
        p.respondTo(std::string(kBase) + "br.html", *GetParam().token);
    p.advance(100);
    EXPECT_EQ(c.responseCode, GetParam().responseCode);
    EXPECT_TRUE(c.connectingLabel.visible());
    EXPECT_EQ(c.window.caption(), "Brontek news");
    for (Timer* t : c.timers())
        EXPECT_FALSE(t->enabled()) << "nothing can change any more";
    c.exitButton.click();
    EXPECT_FALSE(news.loaded());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, NewsFailureTest,
    ::testing::Values(FailureCase{"FeedNotFound", {404, 404, "nope", {}}, std::nullopt, 404},
                      FailureCase{"ServerUnreachable", {-7, 0, {}, "refused"}, std::nullopt, -7},
                      FailureCase{
                          "TokenFails", {0, 200, "a|b", {}}, HttpResult{500, 500, "", {}}, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(NewsTest, AShortOrBrokenFeedIsLaidOutAsFarAsItIsGood) {
    openWith("Short news|9000|300|False", "|", "http://127.0.0.1:8642/news/");
    EXPECT_EQ(c.window.caption(), "Short news");
    EXPECT_EQ(c.exitButton.rect().left, 9000);
    EXPECT_FALSE(c.connectingLabel.visible());
    EXPECT_EQ(c.linkLabel(1).caption(), "Link1");
    EXPECT_EQ(c.window.outerHeight(), 0) << "design size kept";
    links.pointerOverLink(3, kNoButton, 0, 0); // nothing to read: no failure
    news.unload();

    NewsWindow again(p);
    NewsWindowControls& k = again.controls();
    again.open(kBase, "x");
    p.advance(2000);
    p.respondTo(std::string(kBase) + "data.html",
                ok(sampleWith({{1, "left"}, {8, "-300"}, {12, "perhaps"}, {14, "1e999"}}) +
                   "extra" + token + "lines"));
    p.advance(1);
    p.respondTo(std::string(kBase) + "br.html", ok(token));
    p.advance(1);
    EXPECT_EQ(k.exitButton.rect().left, 1680) << "design value kept";
    EXPECT_EQ(k.exitButton.rect().top, 4320);
    EXPECT_EQ(k.newsText.rect().width, 5055);
    EXPECT_EQ(k.newsText.rect().left, 240);
    EXPECT_FALSE(k.newsText.font().underline);
    EXPECT_EQ(k.newsText.font().size, 8.25);
    EXPECT_EQ(k.declineBox.caption(), lines[127]) << "lines after 133 are ignored";
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

    // Coming onto the hovered link again reaches the window instead.
    const auto navigations = p.navigations.size();
    links.pointerOverLink(5, kLeftButton, 300, 400);
    EXPECT_EQ(p.navigations.size(), navigations);
    EXPECT_EQ(c.pointerX, 300);
    EXPECT_EQ(c.pointerY, 400);
    links.linkClicked(5);
    EXPECT_EQ(p.linksOpened.size(), 1u) << "a click on the greyed link goes to the window";
}

TEST_F(NewsTest, LinksOpenOnClickAndLink1AlsoOnALeftButtonMove) {
    openSample();
    links.openLinkClicked(); // before any hover: nothing to open
    links.pointerOverLink(1, kRightButton, 0, 0);
    links.pointerOverLink(2, kNoButton, 0, 0);
    links.pointerOverLink(1, kLeftButton | kRightButton, 0, 0);
    links.pointerOverLink(2, kLeftButton, 0, 0);
    EXPECT_TRUE(p.linksOpened.empty());
    links.pointerOverLink(1, kLeftButton, 0, 0);
    links.linkClicked(5);
    links.linkClicked(6);
    EXPECT_EQ(p.linksOpened, (std::vector<std::string>{lines[22], lines[58], lines[67]}));
}

TEST_F(NewsTest, TargetsThatAreNotWebAddressesOpenNothing) {
    openWith(sampleWith({{22, "C:\\Windows\\System32\\calc.exe"},
                         {31, "file:///etc/passwd"},
                         {80, "javascript:alert(1)"},
                         {40, "HTTPS://example.org/ok"}}),
             token);
    links.linkClicked(2);
    links.linkClicked(3);
    links.pointerOverLink(1, kLeftButton, 0, 0);
    links.openLinkClicked();
    links.linkClicked(4);
    EXPECT_EQ(p.linksOpened, (std::vector<std::string>{"HTTPS://example.org/ok", lines[49]}));
}

TEST_F(NewsTest, TheCoordinateProbe) {
    openSample();
    links.probeClicked();
    links.surfaceMoved(1234.4, -56.5);
    p.advance(1);
    EXPECT_EQ(c.probeLabel.caption(), "1234, -56");
    EXPECT_EQ(c.probeLabel.rect().left, 1234);
    EXPECT_EQ(c.probeLabel.rect().top, -56);
    links.surfaceMoved(40000, -40000);
    p.advance(1);
    EXPECT_EQ(c.probeLabel.caption(), "32767, -32768");
    links.probeClicked();
    EXPECT_FALSE(c.probeTimer.enabled());
    links.probeClicked();
    links.surfaceClicked();
    EXPECT_FALSE(c.probeTimer.enabled());
}

TEST_F(NewsTest, ClosingWritesTheIdentifierOnlyWithTheBoxTicked) {
    p.files["data"] = "older-news\r\nmore\r\n";
    openSample();
    news.unload();
    EXPECT_EQ(p.files["data"], "older-news\r\nmore\r\n");

    NewsWindow again(p);
    again.open(kBase, "news-7");
    again.controls().declineBox.setValue(1);
    p.writeError = "No space left on device";
    again.controls().exitButton.click();
    EXPECT_FALSE(again.loaded());
    ASSERT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_NE(p.messageBoxes[0].prompt.find("No space left on device"), std::string::npos);
    EXPECT_EQ(p.pendingCount(), 0u) << "the download under way was cancelled";

    NewsWindow third(p);
    third.open(kBase, "news-7");
    third.controls().declineBox.setValue(1);
    p.writeError.reset();
    third.unload();
    EXPECT_EQ(p.files["data"], "news-7\r\n");
}

} // namespace
} // namespace bt::test

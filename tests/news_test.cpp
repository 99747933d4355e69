// The news window: its download, the layout from the sample feed and from broken ones, the hovers
// and links, the coordinate probe, and declining the news.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

// A news window on the fakes.
struct NewsOnFakes {
    FakePlatform p;
    NewsWindow news{p.files, p.dialogs, p.http, p.clock, p.desktop};
    NewsWindowControls& c = news.controls();
    NewsLinks& links = news.links();
    const std::string base = kBase;

    // Opens the window and answers its two downloads.
    void openWith(HttpResult body, HttpResult separator) {
        news.open(base, "news-7");
        p.clock.advance(2000);
        p.http.respondTo(base + "data.html", std::move(body));
        p.http.respondTo(base + "br.html", std::move(separator));
    }
    // The sample feed with some of its lines (by number) replaced, and more lines after it.
    void openSample(const std::map<std::size_t, std::string>& changes = {}) {
        const std::string token = sampleFile("br.html");
        openWith(ok(sampleFeed(changes) + "extra" + token + "lines"), ok(token));
    }
};
struct NewsTest : ::testing::Test, NewsOnFakes {};

TEST_F(NewsTest, AsksTheFeedAfterTwoSecondsThenTheTokenThenLaysTheSampleOut) {
    news.open(base, "news-7");
    EXPECT_TRUE(c.window.visible());
    p.clock.advance(1999);
    EXPECT_TRUE(p.http.requests.empty());
    p.clock.advance(1);
    ASSERT_TRUE(p.http.respondTo(base + "data.html", ok(sampleFile("data.html"))));
    EXPECT_TRUE(c.connectingLabel.visible());
    ASSERT_TRUE(p.http.respondTo(base + "br.html", ok(sampleFile("br.html"))));
    EXPECT_FALSE(c.connectingLabel.visible());
    EXPECT_EQ(c.window.caption(), "Brontek news - December 2026");
    EXPECT_TRUE(c.pageView.visible());
    EXPECT_EQ(c.pageView.link(), "http://127.0.0.1:8642/update_info/binds_data/page.html");
    EXPECT_EQ(c.newsText.caption(), "Brontek Tarnlow 1.0 is out!\r\n\r\nBind every keypad key to a "
                                    "voice message\r\nand play without opening the menu by "
                                    "hand.\r\n\r\nPoint at a link below to read more.");
    EXPECT_EQ(c.linkLabel(4).rect(), (Rect{240, 3240, 2640, 255}));
    EXPECT_EQ(c.declineBox.rect(), (Rect{240, 4380, 4200, 255}));
    EXPECT_TRUE(c.linkLabel(6).font().underline && c.linkLabel(6).font().bold)
        << "links are bold whatever the feed says";
    EXPECT_EQ(c.linkLabel(6).foreColor(), SysColor::Highlight);
    EXPECT_EQ(std::pair(c.window.outerWidth(), c.window.outerHeight()), std::pair(9000, 5400));
    EXPECT_EQ(c.openLinkLabel.caption(), "Link_click") << "hover lines wait for a hover";
    p.clock.advance(10000);
    EXPECT_EQ(p.http.requests.size(), 2u) << "asked once, no retry";
}

TEST(NewsFailureTest, AFailedDownloadStopsInTheConnectingLayoutAndStaysClosable) {
    // A failed feed, whose token is then never asked; a failed token.
    for (const auto& [feed, token] : {std::pair{HttpResult::answer(404, "nope"), HttpResult{}},
                                      {HttpResult::failure("refused"), {}},
                                      {ok("a|b"), HttpResult::answer(500, "")}}) {
        NewsOnFakes n;
        n.openWith(feed, token); // the token asked only after a feed
        n.p.clock.advance(10000);
        EXPECT_TRUE(n.c.connectingLabel.visible() && !n.c.pageView.visible());
        EXPECT_EQ(n.c.window.caption(), "Brontek news");
        EXPECT_EQ(n.p.http.requests.size(), feed.ok() ? 2u : 1u) << "no retry";
        n.c.exitButton.click();
        EXPECT_FALSE(n.news.isOpen());
    }
}

TEST_F(NewsTest, BadValuesKeepTheWindowsOwnAndTheRestIsLaidOut) {
    const Rect page = c.pageView.rect(), text = c.newsText.rect(); // as designed
    // By line: the Exit button's place, the news text's size and font, the decline box's font
    // size, the page area's size and place, the box's caption. (Which values the window takes,
    // line by line, the feed checker's test holds.)
    // clang-format off
    openSample({{1, "left"}, {2, "-15"}, {8, "-300"}, {12, "True"}, {13, "perhaps"}, {14, "0"},
                {132, "12"}, {70, "-1"}, {69, "-2"}, {9, "-9"}, {5, "-30"}, {6, "-40"},
                {10, "-50"}, {127, "Not again."}, {71, "-5"}});
    // clang-format on
    // A value that does not read keeps the design's; a place may be negative, a size may not.
    EXPECT_EQ(c.exitButton.rect(), (Rect{1680, -15, 1095, 375}));
    EXPECT_EQ(c.pageView.rect(), (Rect{-30, -40, page.width, page.height}));
    EXPECT_EQ(c.newsText.rect(), (Rect{-50, 240, text.width, text.height}));
    EXPECT_EQ(c.newsText.font(), (Font{"MS Sans Serif", 8.25, false, true}));
    EXPECT_EQ(c.declineBox.caption(), "Not again.") << "with more lines after the last";
    EXPECT_EQ(c.declineBox.font().size, 12);
    EXPECT_EQ(c.window.outerHeight(), 0) << "a negative height keeps the design's";
}

TEST_F(NewsTest, HoveringALinkShowsItsDescriptionClickLabelAndPage) {
    openSample({{112, "https://example.org/help-clicked"}, {125, "https://example.org/help"}});
    links.pointerOverLink(3, {}, 100, 100);
    links.pointerOverLink(5, {}, 100, 100); // "Help"
    for (int k = 1; k <= kLinkCount; ++k)
        EXPECT_EQ(c.linkLabel(k).enabled(), k != 5) << k;
    const std::string tab(8, ' ');
    EXPECT_EQ(c.newsText.caption(),
              "How it works:\r\n" + tab + "1. Pick a menu and a message for each key.\r\n" + tab +
                  "2. Press Save.\r\n" + tab + "3. Press the keypad key in the game.");
    EXPECT_EQ(c.openLinkLabel.caption(), "Open Help in your browser");
    EXPECT_EQ(c.openLinkLabel.rect(), (Rect{240, 3720, 8400, 255}));
    EXPECT_EQ(c.pageView.link(), "https://example.org/help");
    links.clickLabelClicked();
    EXPECT_EQ(p.desktop.linksOpened,
              (std::vector<std::string>{"https://example.org/help-clicked"}));
}

TEST_F(NewsTest, LinksOpenOnClickOrALeftButtonMoveOntoLink1AndAHoveredOneReachesTheProbe) {
    openSample({{22, "C:\\Windows\\System32\\calc.exe"}, // link 1, 2, 3: what a click opens
                {31, "file:///etc/passwd"},
                {40, "HTTPS://example.org/ok"},
                {80, "javascript:alert(1)"}}); // link 1's click label
    links.clickLabelClicked();                 // before any hover: nothing to open
    links.pointerOverLink(1, {false, true}, 0, 0);
    links.pointerOverLink(2, {}, 0, 0);
    links.pointerOverLink(1, {true, true}, 0, 0);
    links.pointerOverLink(2, {true}, 0, 0);
    EXPECT_TRUE(p.desktop.linksOpened.empty());
    links.pointerOverLink(1, {true}, 0, 0); // opens link 1's target, which is no web address
    links.clickLabelClicked();              // link 1's click target, neither
    for (int k : {0, 2, 3, 4, 6, 7})        // no link 0 or 7 to open
        links.linkClicked(k);
    news.pageClicked();
    EXPECT_EQ(p.desktop.linksOpened,
              (std::vector<std::string>{"HTTPS://example.org/ok", "https://www.winehq.org/",
                                        "https://www.debian.org/", c.pageView.link()}));
    // A hovered link takes no pointer input: it reaches the window and its probe.
    links.pointerOverLink(5, {}, 100, 100);
    links.pointerOverLink(5, {true}, 300, 400); // the hovered one: the window's surface
    links.probeClicked();                       // the probe shows the place, within 16 bits
    EXPECT_EQ(c.probeLabel.caption(), "300, 400");
    links.surfaceMoved(40000.4, -56.5);
    EXPECT_EQ(c.probeLabel.caption(), "32767, -56");
    EXPECT_EQ(std::pair(c.probeLabel.rect().left, c.probeLabel.rect().top), std::pair(32767, -56));
    links.linkClicked(5);
    EXPECT_EQ(p.desktop.linksOpened.size(), 4u);
    links.surfaceMoved(10, 10);
    EXPECT_EQ(c.probeLabel.caption(), "32767, -56") << "a click on the window stops the probe";
    links.probeClicked();
    links.probeClicked();
    links.surfaceMoved(20, 20);
    EXPECT_EQ(c.probeLabel.caption(), "10, 10") << "the probe's label starts and stops it";
}

// (What closing the window writes to "data", and that a download under way ends with it,
// input_sequences_test holds.)

} // namespace
} // namespace bt::test

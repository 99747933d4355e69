#include "net/feed_table.h"
#include "net/text_lines.h"
#include "platform/fake/fake_platform.h"
#include "ui/form2.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace bt {
namespace {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

std::string sample(const std::string& name) {
    std::ifstream in(std::string(BRONTEK_SAMPLE_SITE) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

HttpResult ok(std::string body) {
    return HttpResult{0, 200, std::move(body), {}};
}

struct Form2Test : ::testing::Test {
    FakePlatform p;
    Form2 form{p};
    std::string token = sample("br.html");
    std::string feed = sample("data.html");
    std::vector<std::string> lines = splitCrLf(replaceAll(feed, token, "\r\n"));

    Form2Controls& c() { return form.controls(); }

    // Opens the window and runs the download sequence with the given answers.
    void openWith(const std::string& body, const std::string& separator,
                  const std::string& base = kBase) {
        form.open(base, "news-7");
        p.advance(2000);
        ASSERT_TRUE(p.respondTo(base + "data.html", ok(body)));
        p.advance(1);
        ASSERT_TRUE(p.respondTo(base + "br.html", ok(separator)));
        p.advance(1);
    }
    void openSample() { openWith(feed, token); }
};

TEST_F(Form2Test, DownloadsFeedThenTokenThenLaysOut) {
    form.open(kBase, "news-7");
    EXPECT_TRUE(c().form.visible());
    EXPECT_EQ(c().form.caption(), "Brontek news");
    p.advance(1999);
    EXPECT_TRUE(p.requests.empty());
    p.advance(1);
    ASSERT_EQ(p.requests.size(), 1u);
    EXPECT_EQ(p.requests[0].url, std::string(kBase) + "data.html");
    p.respondTo(p.requests[0].url, ok(feed));
    p.advance(1);
    EXPECT_EQ(c().label(8).caption(), "0");
    ASSERT_EQ(p.requests.size(), 2u);
    EXPECT_EQ(p.requests[1].url, std::string(kBase) + "br.html");
    EXPECT_TRUE(c().label(11).visible());
    p.respondTo(p.requests[1].url, ok(token));
    p.advance(1);
    EXPECT_FALSE(c().label(11).visible());
    EXPECT_EQ(c().form.caption(), lines[0]);
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(c().timer(n).enabled()) << n;
}

TEST_F(Form2Test, TheSampleFeedLaysOutEveryControl) {
    openSample();
    EXPECT_EQ(c().command1.rect().left, 7560);
    EXPECT_EQ(c().command1.rect().top, 4320);
    EXPECT_TRUE(c().webBrowser1.visible());
    EXPECT_EQ(c().webBrowser1.rect(), (Rect{5040, 240, 3600, 2400}));
    EXPECT_EQ(p.navigations.at(0).second, lines[4]);
    EXPECT_EQ(c().label(1).caption(),
              "Brontek Tarnlow 1.0 is out!\r\n\r\nBind every keypad key to a "
              "voice message\r\nand play without opening the menu by "
              "hand.\r\n\r\nPoint at a link below to read more.");
    EXPECT_EQ(c().label(1).font().size, 9.75);
    EXPECT_EQ(c().linkLabel(2).caption(), "United Offensive");
    EXPECT_EQ(c().linkLabel(4).rect(), (Rect{240, 3240, 2640, 255}));
    EXPECT_TRUE(c().linkLabel(6).font().underline);
    EXPECT_EQ(c().LinkTarget[4], lines[58]);
    EXPECT_EQ(c().LinkTarget[5], lines[67]);
    EXPECT_EQ(c().form.outerHeight(), 5400);
    EXPECT_EQ(c().form.outerWidth(), 9000);
    EXPECT_EQ(c().check1.caption(), "Do not show this window next time.");
    EXPECT_EQ(c().check1.rect().top, 4380);
    EXPECT_EQ(c().label(9).caption(), "Link_click") << "hover lines wait for a hover";
}

TEST_F(Form2Test, AFailedFeedTransferStopsTheSequenceInTheConnectingLayout) {
    form.open(kBase, "x");
    p.advance(2000);
    p.respondTo(std::string(kBase) + "data.html", HttpResult{404, 404, "nope", {}});
    p.advance(100);
    EXPECT_EQ(c().label(8).caption(), "404");
    EXPECT_EQ(p.requests.size(), 1u) << "br.html is never requested";
    EXPECT_TRUE(c().label(11).visible());
    EXPECT_FALSE(c().timer(1).enabled()) << "nothing can change any more";
    form.unload();
    EXPECT_FALSE(form.loaded());
}

TEST_F(Form2Test, AnUnreachableServerCountsAsAFailedTransfer) {
    form.open(kBase, "x");
    p.advance(2000);
    p.respondTo(std::string(kBase) + "data.html", HttpResult{-1, 0, {}, "refused"});
    p.advance(100);
    EXPECT_EQ(c().label(8).caption(), "-1");
    EXPECT_TRUE(c().label(11).visible());
}

TEST_F(Form2Test, AFailedTokenTransferNeverLaysOut) {
    form.open(kBase, "x");
    p.advance(2000);
    p.respondTo(std::string(kBase) + "data.html", ok(feed));
    p.advance(1);
    p.respondTo(std::string(kBase) + "br.html", HttpResult{500, 500, "", {}});
    p.advance(100);
    EXPECT_TRUE(c().label(11).visible());
    EXPECT_EQ(c().form.caption(), "Brontek news");
}

TEST_F(Form2Test, ABaseUrlWithoutSlashIsGluedToTheFileName) {
    form.open("http://127.0.0.1:8642/news", "x");
    p.advance(2000);
    EXPECT_EQ(p.requests.at(0).url, "http://127.0.0.1:8642/newsdata.html");
}

TEST_F(Form2Test, AShortFeedIsLaidOutAsFarAsItGoesAndStaysClosable) {
    openWith("Short news|9000|300|False", "|");
    EXPECT_EQ(c().form.caption(), "Short news");
    EXPECT_EQ(c().command1.rect().left, 9000);
    EXPECT_FALSE(c().label(11).visible());
    EXPECT_EQ(c().label(1).caption(), "Label1");
    EXPECT_EQ(c().linkLabel(1).caption(), "Link1");
    EXPECT_EQ(c().form.outerHeight(), 0) << "design size kept";
    form.links().hover(3, kNoButton); // nothing to read: no failure
    c().command1.click();
    EXPECT_FALSE(form.loaded());
}

TEST_F(Form2Test, BadValuesAreSkippedAndTheRestIsApplied) {
    auto broken = lines;
    broken[1] = "left";     // Exit left: not a number
    broken[8] = "-300";     // negative width
    broken[12] = "perhaps"; // not a boolean
    broken[14] = "1e999";   // not a number this format knows
    std::string body;
    for (const auto& l : broken)
        body += l + token;
    openWith(body, token);
    EXPECT_EQ(c().command1.rect().left, 1680) << "design value kept";
    EXPECT_EQ(c().command1.rect().top, 4320);
    EXPECT_EQ(c().label(1).rect().width, 5055);
    EXPECT_EQ(c().label(1).rect().left, 240);
    EXPECT_EQ(c().check1.rect().top, 4380);
}

TEST_F(Form2Test, MoreThan134LinesAreLaidOutFromTheFirst134) {
    openWith(feed + "extra<br>\nlines<br>\n", token);
    EXPECT_EQ(c().check1.caption(), lines[127]);
}

TEST_F(Form2Test, HoveringLink3ThenLink5) {
    openSample();
    form.links().pointerOverLink(3, kNoButton, 100, 100);
    EXPECT_FALSE(c().linkLabel(3).enabled());
    form.links().pointerOverLink(5, kNoButton, 100, 100);
    EXPECT_TRUE(c().linkLabel(3).enabled());
    EXPECT_FALSE(c().linkLabel(5).enabled());
    for (int k : {1, 2, 4, 6})
        EXPECT_TRUE(c().linkLabel(k).enabled()) << k;
    EXPECT_EQ(c().label(1).caption(),
              replaceAll(replaceAll(lines[59], "%br%", "\r\n"), "%tab%", "        "));
    EXPECT_EQ(c().label(9).caption(), lines[105]);
    EXPECT_EQ(c().label(9).rect(), (Rect{240, 3720, 8400, 255}));
    EXPECT_EQ(p.navigations.back().second, lines[125]);
    form.links().clickLabelClicked();
    ASSERT_EQ(p.linksOpened.size(), 1u);
    EXPECT_EQ(p.linksOpened[0], lines[112]);
}

TEST_F(Form2Test, HoveringTheSameLinkAgainReachesTheWindowInstead) {
    openSample();
    form.links().pointerOverLink(2, kNoButton, 10, 10);
    const auto navigations = p.navigations.size();
    form.links().pointerOverLink(2, kLeftButton, 300, 400);
    EXPECT_EQ(p.navigations.size(), navigations);
    EXPECT_EQ(c().MouseX, 300);
    EXPECT_EQ(c().MouseY, 400);
    form.links().linkClicked(2); // a click on the greyed link goes to the window
    EXPECT_TRUE(p.linksOpened.empty());
}

TEST_F(Form2Test, OnlyALeftButtonMoveOntoLink1OpensItAtOnce) {
    openSample();
    form.links().pointerOverLink(1, kRightButton, 0, 0);
    form.links().pointerOverLink(2, kNoButton, 0, 0);
    form.links().pointerOverLink(1, kLeftButton | kRightButton, 0, 0);
    form.links().pointerOverLink(2, kLeftButton, 0, 0);
    EXPECT_TRUE(p.linksOpened.empty());
    form.links().pointerOverLink(1, kLeftButton, 0, 0);
    ASSERT_EQ(p.linksOpened.size(), 1u);
    EXPECT_EQ(p.linksOpened[0], lines[22]);
}

TEST_F(Form2Test, ClickingALinkLabelOpensItsTarget) {
    openSample();
    form.links().linkClicked(5);
    form.links().linkClicked(6);
    EXPECT_EQ(p.linksOpened, (std::vector<std::string>{lines[58], lines[67]}));
    form.links().clickLabelClicked();
    EXPECT_EQ(p.linksOpened.size(), 2u) << "Label9 before any hover opens nothing";
}

TEST_F(Form2Test, TargetsThatAreNotWebAddressesOpenNothing) {
    auto hostile = lines;
    hostile[22] = "C:\\Windows\\System32\\calc.exe";
    hostile[31] = "file:///etc/passwd";
    hostile[80] = "javascript:alert(1)";
    hostile[40] = "HTTPS://example.org/ok";
    std::string body;
    for (const auto& l : hostile)
        body += l + token;
    openWith(body, token);
    form.links().linkClicked(1);
    form.links().linkClicked(2);
    form.links().hover(1, kLeftButton);
    form.links().clickLabelClicked();
    form.links().linkClicked(3);
    EXPECT_EQ(p.linksOpened, (std::vector<std::string>{"HTTPS://example.org/ok"}));
}

TEST_F(Form2Test, TheCoordinateProbe) {
    openSample();
    form.links().probeLabelClicked();
    EXPECT_TRUE(c().timer(4).enabled());
    form.links().surfaceMoved(1234.4, -56.5);
    p.advance(1);
    EXPECT_EQ(c().label(10).caption(), "1234, -56");
    EXPECT_EQ(c().label(10).rect().left, 1234);
    EXPECT_EQ(c().label(10).rect().top, -56);
    form.links().surfaceMoved(40000, -40000);
    p.advance(1);
    EXPECT_EQ(c().label(10).caption(), "32767, -32768");
    form.links().probeLabelClicked();
    EXPECT_FALSE(c().timer(4).enabled());
    form.links().probeLabelClicked();
    form.links().surfaceClicked();
    EXPECT_FALSE(c().timer(4).enabled());
}

TEST_F(Form2Test, ClosingWithTheBoxTickedWritesTheIdentifier) {
    p.files["data"] = "older-news\r\nmore\r\n";
    openSample();
    c().check1.setValue(1);
    c().command1.click();
    EXPECT_EQ(p.files["data"], "news-7\r\n");
}

TEST_F(Form2Test, ClosingWithoutTheBoxLeavesDataAlone) {
    openSample();
    form.unload();
    EXPECT_EQ(p.files.count("data"), 0u);
}

TEST_F(Form2Test, AFailedDataWriteIsToldAndTheWindowStillCloses) {
    openSample();
    c().check1.setValue(1);
    p.writeError = "No space left on device";
    form.unload();
    EXPECT_FALSE(form.loaded());
    ASSERT_EQ(p.messageBoxes.size(), 1u);
    EXPECT_NE(p.messageBoxes[0].prompt.find("No space left on device"), std::string::npos);
}

TEST_F(Form2Test, ClosingDuringADownloadCancelsIt) {
    form.open(kBase, "x");
    p.advance(2000);
    form.unload();
    EXPECT_EQ(p.pendingCount(), 0u);
    p.advance(5000);
    SUCCEED();
}

} // namespace
} // namespace bt

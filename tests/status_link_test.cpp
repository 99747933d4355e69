#include "form1_fixture.h"

#include "ui/application.h"

namespace bt::test {
namespace {

const std::string kStatusUrl = std::string(kBase) + "form1.html";
const std::string kTokenUrl = std::string(kBase) + "br.html";

HttpResult ok(std::string body) {
    return HttpResult{0, 200, std::move(body), {}};
}
HttpResult noAnswer() {
    return HttpResult{-1, 0, {}, "Connection refused"};
}

struct StatusLinkTest : ::testing::Test {
    FakePlatform p;
    std::unique_ptr<Application> app;
    void SetUp() override {
        app = std::make_unique<Application>(p, kBase);
        app->start();
    }
    Form1Controls& c() { return app->form1().controls(); }
    // Lets the poll tick at t = 1000 and answers it with a status text and a token.
    void answer(const std::string& status, const std::string& token) {
        ASSERT_TRUE(p.respondTo(kStatusUrl, ok(status)));
        ASSERT_TRUE(p.respondTo(kTokenUrl, ok(token)));
    }
};

TEST_F(StatusLinkTest, OnlineBlinksSevenTimesThenShrinksAndExitOpensTheNews) {
    p.advance(1000);
    answer("on<br>news-7<br>", "<br>");
    EXPECT_EQ(c().label(14).caption(), "ONLINE");
    EXPECT_EQ(c().text(4).text(), "on\r\nnews-7\r\n");
    EXPECT_EQ(c().text(7).text(), kBase);
    EXPECT_FALSE(c().timer(6).enabled());

    std::vector<std::pair<std::int64_t, SysColor>> colours;
    c().label(14).setObserver([&] {
        if (colours.empty() || colours.back().second != c().label(14).foreColor() ||
            colours.back().first != p.now())
            colours.emplace_back(p.now(), c().label(14).foreColor());
    });
    p.advance(2200);
    ASSERT_EQ(colours.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(colours[i].first, 1300 + 300 * static_cast<std::int64_t>(i));
        EXPECT_EQ(colours[i].second, i % 2 == 0 ? SysColor::Desktop : SysColor::Highlight);
    }
    EXPECT_EQ(c().form.outerHeight(), kShrunkHeight);
    EXPECT_FALSE(c().label(14).visible());
    EXPECT_FALSE(c().timer(7).enabled());

    c().command(2).click();
    ASSERT_NE(app->form2(), nullptr);
    EXPECT_EQ(app->form2()->controls().text(4).text(), "news-7");
    EXPECT_EQ(app->form2()->controls().text(2).text(), kBase);
    EXPECT_TRUE(app->form2()->controls().form.visible());
    EXPECT_FALSE(p.ended);
    app->form2()->unload();
    EXPECT_TRUE(p.ended) << "the process ends with its last window";
}

TEST_F(StatusLinkTest, OffIsOnlineWithoutNews) {
    p.advance(1000);
    answer("off<br>news-7", "<br>");
    EXPECT_EQ(c().label(14).caption(), "ONLINE");
    c().command(2).click();
    EXPECT_EQ(app->form2(), nullptr);
    EXPECT_TRUE(p.ended);
}

TEST_F(StatusLinkTest, NoNetworkShowsCannotConnectAfterTenSecondsAndKeepsPolling) {
    for (int s = 1; s <= 12; ++s) {
        p.advance(1000);
        ASSERT_TRUE(p.respondTo(kStatusUrl, noAnswer())) << s;
        if (s < 10) {
            EXPECT_EQ(c().label(14).caption(), "Connecting to server...");
        }
    }
    EXPECT_EQ(c().label(14).caption(), "CANNOT CONNECT");
    EXPECT_TRUE(c().timer(6).enabled());
    EXPECT_FALSE(c().timer(8).enabled());
    EXPECT_TRUE(c().timer(7).enabled());
    // The server comes back: the answer is shown and blinks anew.
    p.advance(1000);
    answer("on\r\nid\r\n", "");
    EXPECT_EQ(c().label(14).caption(), "ONLINE");
    EXPECT_EQ(app->form1().status().blinkStep(), 0);
}

TEST_F(StatusLinkTest, AStalledTransferNeverDelaysTheWatcherOrStacksRequests) {
    p.advance(1000); // the status fetch starts and never answers
    p.advance(500);
    p.tap(kVkNumpad0 + 4);
    p.advance(8000);
    ASSERT_EQ(p.typed.size(), 3u);
    EXPECT_EQ(p.typed[0].at, 1700);
    EXPECT_EQ(p.typed[2].at, 1900);
    EXPECT_EQ(p.requests.size(), 1u) << "ticks that find a transfer running do nothing";
    p.advance(1000);
    EXPECT_EQ(c().label(14).caption(), "CANNOT CONNECT");
}

TEST_F(StatusLinkTest, AnErrorStatusKeepsItsBodySoNoCannotConnect) {
    for (int s = 1; s <= 11; ++s) {
        p.advance(1000);
        ASSERT_TRUE(p.respondTo(kStatusUrl, HttpResult{404, 404, "Not here", {}}));
    }
    EXPECT_EQ(c().text(4).text(), "Not here");
    EXPECT_EQ(c().label(14).caption(), "Connecting to server...");
    EXPECT_FALSE(p.isPending(kTokenUrl));
}

TEST_F(StatusLinkTest, AProperAnswerThatIsNeitherOnNorOffIsServerOffline) {
    p.advance(1000);
    answer("maintenance|x", "|");
    EXPECT_EQ(c().label(14).caption(), "SERVER OFFLINE");
    EXPECT_FALSE(c().timer(6).enabled());
    p.advance(5000);
    EXPECT_EQ(p.requests.size(), 2u) << "no further polling";
}

TEST_F(StatusLinkTest, AnEmptyStatusRetriesAndIsNotCannotConnect) {
    p.advance(1000);
    answer("", "<br>");
    EXPECT_TRUE(c().timer(6).enabled());
    for (int s = 0; s < 10; ++s) {
        p.advance(1000);
        answer("", "<br>");
    }
    EXPECT_EQ(c().label(14).caption(), "Connecting to server...");
}

TEST_F(StatusLinkTest, ABlinkRestartedAfterItEndedStopsAtOnce) {
    for (int s = 1; s <= 10; ++s) {
        p.advance(1000);
        p.respondTo(kStatusUrl, noAnswer());
    }
    p.advance(3000); // CANNOT CONNECT blinked and shrank
    ASSERT_FALSE(c().timer(7).enabled());
    p.advance(1000 - p.now() % 1000);
    answer("busy", "<br>"); // SERVER OFFLINE re-enables the blink timer
    EXPECT_EQ(c().label(14).caption(), "SERVER OFFLINE");
    p.advance(300);
    EXPECT_FALSE(c().timer(7).enabled());
    EXPECT_EQ(app->form1().status().blinkStep(), 7);
}

struct NewsCase {
    const char* name;
    const char* status;
    const char* dataFile; // nullptr: no file
    bool opens;
};

class NewsDecisionTest : public StatusLinkTest, public ::testing::WithParamInterface<NewsCase> {};

TEST_P(NewsDecisionTest, TheStatusTextAndDataFileDecide) {
    if (GetParam().dataFile)
        p.files["data"] = GetParam().dataFile;
    p.advance(1000);
    answer(GetParam().status, "");
    app->form1().controls().command(2).click();
    EXPECT_EQ(app->form2() != nullptr, GetParam().opens);
    EXPECT_EQ(p.ended, !GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewsDecisionTest,
    ::testing::Values(NewsCase{"NewNews", "on\r\nn1", nullptr, true},
                      NewsCase{"Declined", "on\r\nn1\r\n", "n1\r\n", false},
                      NewsCase{"NewerThanDeclined", "on\r\nn2", "n1\r\n", true},
                      NewsCase{"IdentifierDataWithoutFile", "on\r\ndata", nullptr, false},
                      NewsCase{"OnlyOneLine", "on", nullptr, false},
                      NewsCase{"Off", "off\r\nn1", nullptr, false},
                      NewsCase{"CaseCounts", "On\r\nn1", nullptr, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(StatusLinkTest, NoAnswerBeforeExitMeansNoNews) {
    c().command(2).click();
    EXPECT_EQ(app->form2(), nullptr);
    EXPECT_TRUE(p.ended);
}

TEST_F(StatusLinkTest, TheCounterPageIsAskedAtStart) {
    ASSERT_FALSE(p.navigations.empty());
    EXPECT_EQ(p.navigations[0].first, WindowId::Form1);
    EXPECT_EQ(p.navigations[0].second, std::string(kBase) + "counter.php");
}

TEST_F(StatusLinkTest, ExitFromTheTrayRemovesTheIconBeforeTheNewsOpens) {
    p.advance(1000);
    answer("on\r\nn9", "");
    c().command(6).click();
    ASSERT_TRUE(p.iconPresent);
    p.popupChoices.push_back(PopupChoice::Exit);
    app->form1().trayMessage(516);
    EXPECT_FALSE(p.iconPresent);
    ASSERT_NE(app->form2(), nullptr);
}

} // namespace
} // namespace bt::test

// The status poll, its display, and the decision at exit whether the news window opens.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

const std::string kStatusUrl = std::string(kBase) + "form1.html";
const std::string kTokenUrl = std::string(kBase) + "br.html";

HttpResult noAnswer() {
    return HttpResult{-1, 0, {}, "Connection refused"};
}

struct StatusTest : MainWindowTest {
    void SetUp() override { start(); }
    // Answers the poll under way with a status text and a token.
    void answer(const std::string& status, const std::string& token) {
        ASSERT_TRUE(p.respondTo(kStatusUrl, ok(status)));
        ASSERT_TRUE(p.respondTo(kTokenUrl, ok(token)));
    }
    // No answer for the first n polls.
    void refuse(int n) {
        for (int s = 0; s < n; ++s) {
            p.advance(1000 - p.now() % 1000);
            ASSERT_TRUE(p.respondTo(kStatusUrl, noAnswer()));
        }
    }
};

TEST_F(StatusTest, OnlineBlinksSevenTimesThenShrinksAndExitOpensTheNews) {
    p.advance(1000);
    answer("on<br>news-7<br>", "<br>");
    EXPECT_EQ(c().statusLabel.caption(), "ONLINE");
    EXPECT_EQ(c().statusText, "on\r\nnews-7\r\n");
    EXPECT_FALSE(c().statusPollTimer.enabled());

    std::vector<std::pair<std::int64_t, SysColor>> colours;
    c().statusLabel.setObserver([&] {
        if (colours.empty() || colours.back().second != c().statusLabel.foreColor())
            colours.emplace_back(p.now(), c().statusLabel.foreColor());
    });
    p.advance(2200);
    ASSERT_EQ(colours.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(colours[i].first, 1300 + 300 * static_cast<std::int64_t>(i));
        EXPECT_EQ(colours[i].second, i % 2 == 0 ? SysColor::Desktop : SysColor::Highlight);
    }
    EXPECT_EQ(c().window.outerHeight(), kShrunkHeight);
    EXPECT_FALSE(c().statusLabel.visible());
    EXPECT_FALSE(c().blinkTimer.enabled());

    c().exitButton.click();
    ASSERT_NE(app->newsWindow(), nullptr);
    const NewsWindowControls& news = app->newsWindow()->controls();
    EXPECT_EQ(news.newsId.text(), "news-7");
    EXPECT_EQ(news.serverUrl, kBase);
    EXPECT_TRUE(news.window.visible());
    // The main window is closed: its key poll no longer types.
    p.tap(4);
    p.advance(1000);
    EXPECT_TRUE(p.typed.empty());
    EXPECT_FALSE(p.ended);
    app->newsWindow()->unload();
    EXPECT_TRUE(p.ended) << "the process ends with its last window";
}

TEST_F(StatusTest, NoNetworkShowsCannotConnectAfterTenSecondsAndKeepsPolling) {
    refuse(9);
    EXPECT_EQ(c().statusLabel.caption(), "Connecting to server...");
    refuse(3);
    EXPECT_EQ(c().statusLabel.caption(), "CANNOT CONNECT");
    EXPECT_TRUE(c().statusPollTimer.enabled());
    EXPECT_FALSE(c().connectTimeoutTimer.enabled());
    p.advance(1000); // the server comes back: the answer shows and blinks anew
    answer("on\r\nid\r\n", "");
    EXPECT_EQ(c().statusLabel.caption(), "ONLINE");
    EXPECT_EQ(window().status().blinkStep(), 0);
}

TEST_F(StatusTest, ABlinkRestartedAfterItEndedStopsAtOnce) {
    refuse(10);
    p.advance(3000); // CANNOT CONNECT blinked and shrank
    ASSERT_FALSE(c().blinkTimer.enabled());
    p.advance(1000 - p.now() % 1000);
    answer("busy", "<br>");
    EXPECT_EQ(c().statusLabel.caption(), "SERVER OFFLINE");
    p.advance(300);
    EXPECT_FALSE(c().blinkTimer.enabled());
    EXPECT_EQ(window().status().blinkStep(), 7);
}

TEST_F(StatusTest, AStalledTransferNeverDelaysTheKeyPollOrStacksRequests) {
    p.advance(1500); // the status fetch started at 1000 and never answers
    p.tap(4);
    p.advance(8500);
    EXPECT_EQ(typedTimes(), (std::vector<std::int64_t>{1700, 1800, 1900}));
    EXPECT_EQ(p.requests.size(), 1u) << "ticks that find a transfer running do nothing";
    EXPECT_EQ(c().statusLabel.caption(), "CANNOT CONNECT");
}

struct AnswerCase {
    const char* name;
    HttpResult status;
    const char* token; // nullptr: br.html is never asked
    const char* label; // after 11 s of polling
    int requests;      // made in those 11 s
};
class StatusAnswerTest : public StatusTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(StatusAnswerTest, EveryTickRetriesUntilAProperAnswer) {
    for (int s = 1; s <= 11; ++s) {
        p.advance(1000);
        p.respondTo(kStatusUrl, GetParam().status);
        if (GetParam().token)
            p.respondTo(kTokenUrl, ok(GetParam().token));
    }
    EXPECT_EQ(c().statusLabel.caption(), GetParam().label);
    EXPECT_EQ(static_cast<int>(p.requests.size()), GetParam().requests);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StatusAnswerTest,
    ::testing::Values(
        // The error page's body stands in the status text, so it never reads "offline".
        AnswerCase{
            "ErrorStatus", {404, 404, "Not here", {}}, nullptr, "Connecting to server...", 11},
        AnswerCase{"EmptyStatus", {0, 200, "", {}}, "<br>", "Connecting to server...", 22},
        AnswerCase{"NeitherOnNorOff", {0, 200, "maintenance|x", {}}, "|", "SERVER OFFLINE", 2},
        AnswerCase{"Off", {0, 200, "off", {}}, "", "ONLINE", 2}),
    [](const auto& info) { return info.param.name; });

struct NewsCase {
    const char* name;
    const char* status;
    const char* dataFile; // nullptr: no file
    bool opens;
};
class NewsDecisionTest : public StatusTest, public ::testing::WithParamInterface<NewsCase> {};

TEST_P(NewsDecisionTest, TheStatusTextAndTheDataFileDecide) {
    if (GetParam().dataFile)
        p.files["data"] = GetParam().dataFile;
    p.advance(1000);
    if (GetParam().status)
        answer(GetParam().status, "");
    // From the tray's menu: the icon goes before the news comes.
    c().startButton.click();
    p.popupChoices.push_back(PopupChoice::Exit);
    window().trayMessage(516);
    EXPECT_FALSE(p.iconPresent);
    EXPECT_EQ(app->newsWindow() != nullptr, GetParam().opens);
    EXPECT_EQ(p.ended, !GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewsDecisionTest,
    ::testing::Values(NewsCase{"NewNews", "on\r\nn1", nullptr, true},
                      NewsCase{"Declined", "on\r\nn1\r\n", "n1\r\n", false},
                      NewsCase{"NewerThanDeclined", "on\r\nn2", "n1\r\nold", true},
                      NewsCase{"IdentifierDataWithoutFile", "on\r\ndata", nullptr, false},
                      NewsCase{"OnlyOneLine", "on", nullptr, false},
                      NewsCase{"Off", "off\r\nn1", nullptr, false},
                      NewsCase{"CaseCounts", "On\r\nn1", nullptr, false},
                      NewsCase{"NoAnswerYet", nullptr, nullptr, false}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace bt::test

// The status poll, its display, and the decision at exit whether the news window opens.

#include "base/system/transfer.h"
#include "main_window_fixture.h"

#include <algorithm>

namespace bt::test {
namespace {

const std::string kStatusUrl = std::string(kBase) + "form1.html";
const std::string kTokenUrl = std::string(kBase) + "br.html";

struct StatusTest : MainWindowTest {
    void SetUp() override { start(); }
    // Answers the poll under way with a status text and a token.
    void answer(const std::string& status, const std::string& token) {
        ASSERT_TRUE(p.http.respondTo(kStatusUrl, ok(status)));
        ASSERT_TRUE(p.http.respondTo(kTokenUrl, ok(token)));
    }
    // No answer for the first n polls.
    void refuse(int n) {
        for (int s = 0; s < n; ++s) {
            p.clock.advance(1000 - p.clock.now() % 1000);
            ASSERT_TRUE(p.http.respondTo(kStatusUrl, HttpResult::failure("Connection refused")));
        }
    }
};

TEST_F(StatusTest, OnlineBlinksSevenTimesThenShrinksAndExitOpensTheNews) {
    p.clock.advance(1000);
    answer("on<br>news-7<br>", "<br>");
    EXPECT_EQ(c().statusLabel.caption(), "ONLINE");

    for (int tick = 0; tick < 7; ++tick) { // seven colours 300 ms apart, desktop first and last
        p.clock.advance(300);
        EXPECT_EQ(c().statusLabel.foreColor(), tick % 2 ? SysColor::Highlight : SysColor::Desktop);
        EXPECT_EQ(c().statusLabel.visible(), tick < 6) << tick;
    }
    EXPECT_EQ(c().window.outerHeight(), 4485) << "the status strip cut off";
    EXPECT_EQ(p.clock.wakeUpsScheduled(), 0u) << "idle from here: no poll, no blink";
    EXPECT_TRUE(p.desktop.broughtToFront.empty()) << "the status never pushes the window forward";

    NewsWindow* shown = nullptr; // the front end makes the window's view here
    app->setOnNewsWindowCreated([&](NewsWindow& n) { shown = &n; });
    c().exitButton.click();
    ASSERT_TRUE(shown && shown == app->newsWindow());
    EXPECT_EQ(shown->newsId(), "news-7");
    EXPECT_TRUE(shown->controls().window.visible());
    p.clock.advance(2000);
    EXPECT_TRUE(p.http.isPending(std::string(kBase) + "data.html")) << "from the same server";
    app->anotherCopyStarted();
    EXPECT_EQ(p.desktop.broughtToFront, std::vector<WindowId>(2, WindowId::News))
        << "as it opens, and for a second start";
    EXPECT_FALSE(p.desktop.ended);
    shown->close();
    EXPECT_TRUE(p.desktop.ended) << "the process ends with its last window";
}

// (That nothing of the main window runs once it has closed, whatever it was doing, and that
// nothing of the program is due once it has ended, input_sequences_test holds.)
TEST_F(StatusTest, NoNetworkShowsCannotConnectAfterTenSecondsAndKeepsPolling) {
    refuse(9);
    EXPECT_EQ(c().statusLabel.caption(), "Connecting to server...");
    refuse(3);
    EXPECT_EQ(c().statusLabel.caption(), "CANNOT CONNECT");
    p.clock.advance(3000); // CANNOT CONNECT blinked and shrank
    ASSERT_TRUE(p.http.isPending(kStatusUrl)) << "still polling";
    answer("busy", "<br>"); // the server comes back: its answer shows
    EXPECT_EQ(c().statusLabel.caption(), "SERVER OFFLINE");
    p.clock.advance(600);
    EXPECT_EQ(window().status().blinkStep, 7) << "a blink over is not started again";
    EXPECT_FALSE(c().statusLabel.visible());
    EXPECT_EQ(p.clock.wakeUpsScheduled(), 0u);
}

// (That a stalled transfer never delays a key, input_sequences_test holds: its polls stall.)
TEST(StatusAnswersTest, EveryTickRetriesUntilAProperAnswerComes) {
    struct Case {
        std::optional<HttpResult> status; // none: the first fetch stalls, and none is stacked
        const char* token;                // nullptr: br.html is never asked
        const char* label;                // after 11 s of polling
        std::size_t requests;             // made in those 11 s
    };
    // An error page's body stands in the status text, so it never reads "offline".
    // clang-format off
    for (const Case& k : {Case{HttpResult::answer(404, "Not here"), nullptr, "Connecting to server...", 11},
                          Case{ok(""), "<br>", "Connecting to server...", 22},
                          Case{ok("maintenance|x"), "|", "SERVER OFFLINE", 2},
                          Case{ok("off"), "", "ONLINE", 2},
                          Case{std::nullopt, nullptr, "CANNOT CONNECT", 1}}) {
        // clang-format on
        SCOPED_TRACE(k.label);
        FakePlatform p;
        Application app(p.system(), kBase);
        app.start(0);
        for (int s = 1; s <= 11; ++s) {
            p.clock.advance(1000);
            if (k.status)
                p.http.respondTo(kStatusUrl, *k.status);
            if (k.token)
                p.http.respondTo(kTokenUrl, ok(k.token));
        }
        EXPECT_EQ(app.mainWindow().controls().statusLabel.caption(), k.label);
        EXPECT_EQ(p.http.requests.size() - 1, k.requests) << "and the counter page";
    }
}

// A build that names no server, started without --server: the strip says so and stays, and
// nothing is due. (That nothing is asked, and Exit ends the program without news, the random
// player holds.)
TEST_F(MainWindowTest, WithoutAServerTheStripSaysSoAndNothingIsDue) {
    app = std::make_unique<Application>(p.system(), std::nullopt);
    app->start(0);
    p.clock.advance(15000);
    EXPECT_EQ(c().statusLabel.caption(), "No server set");
    EXPECT_TRUE(c().statusLabel.visible()) << "it never blinks away";
    EXPECT_EQ(p.clock.wakeUpsScheduled(), 0u) << "no poll, no timeout, no blink";
}

// A window's one transfer: a second start while it runs asks nothing, and a cancelled one never
// delivers and leaves room for the next.
TEST(TransferTest, OneAtATimeAndACancelledOneNeverDelivers) {
    FakePlatform p;
    Transfer transfer(p.http);
    std::string got;
    for (const char* url : {"a", "b"})
        transfer.start(url, [&, url](const HttpResult&) { got += url; });
    transfer.cancel();
    transfer.start("d", [&](const HttpResult&) { got += "d"; });
    EXPECT_EQ(p.http.requests, (std::vector<std::string>{"a", "d"}));
    for (const char* url : {"a", "d"})
        p.http.respondTo(url, ok(""));
    EXPECT_EQ(got, "d");
}

TEST(NewsDecisionTest, TheAnswersSecondLineOpensTheNewsUnlessItWasDeclined) {
    struct News {
        const char* status;   // nullptr: no answer yet
        const char* dataFile; // nullptr: no file
        bool opens;
        bool tokenFails = false; // the separator never comes: the lines are CR LF's
    };
    // clang-format off
    for (const News& n : {News{"on\r\nn1", nullptr, true}, News{"on\r\nn1\r\n", "n1\r\n", false},
                          News{"on\r\nn2", "n1\r\nold", true}, News{"on\r\ndata", nullptr, false},
                          News{"on", nullptr, false}, News{"off\r\nn1", nullptr, false},
                          News{"On\r\nn1", nullptr, false}, News{nullptr, nullptr, false},
                          News{"on\r\nn9\r\n", nullptr, true, true}}) {
        // clang-format on
        SCOPED_TRACE(n.status ? n.status : "no answer");
        FakePlatform p;
        if (n.dataFile)
            p.files["data"] = n.dataFile;
        Application app(p.system(), kBase);
        app.start(0);
        p.clock.advance(1000);
        if (n.status) {
            p.http.respondTo(kStatusUrl, ok(n.status));
            p.http.respondTo(kTokenUrl,
                             n.tokenFails ? HttpResult::failure("Connection reset") : ok(""));
        }
        // From the tray's menu (that the icon goes with the window, the random player holds).
        app.mainWindow().controls().startButton.click();
        EXPECT_EQ(p.tray.tip, "Brontek tarnlow");
        p.tray.popupChoices.push_back(PopupChoice::Exit);
        app.mainWindow().trayEvent(TrayEvent::MenuAsked);
        EXPECT_EQ(p.http.pendingCount(), 0u) << "a poll under way is cancelled";
        EXPECT_EQ(app.newsWindow() != nullptr, n.opens);
        EXPECT_EQ(p.desktop.ended, !n.opens);
    }
}

} // namespace
} // namespace bt::test

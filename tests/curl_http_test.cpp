// The real HTTP client against a real HTTP server on 127.0.0.1, started by the test.

#include "backends/curl/curl_http.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace bt {
namespace {

using namespace std::chrono_literals;

// Stands in for the UI thread: posted work waits here until the test runs it.
class UiQueue {
  public:
    void post(std::function<void()> f) {
        std::lock_guard lock(m_);
        q_.push_back(std::move(f));
        cv_.notify_all();
    }
    // Runs posted work until pred holds or the time is up.
    bool pumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!pred()) {
            std::function<void()> f;
            {
                std::unique_lock lock(m_);
                if (!cv_.wait_until(lock, end, [&] { return !q_.empty(); }))
                    return pred();
                f = std::move(q_.front());
                q_.pop_front();
            }
            f();
        }
        return true;
    }

  private:
    std::mutex m_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> q_;
};

class CurlHttpTest : public ::testing::Test {
  protected:
    httplib::Server server;
    std::thread serverThread;
    int port = 0;
    std::atomic<bool> stopStalling{false};
    UiQueue ui;
    std::unique_ptr<CurlHttp> http;

    void SetUp() override {
        server.Get("/ok", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("on\r\nnews-1\r\n", "text/html");
        });
        server.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("not here", "text/plain");
        });
        server.Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
            for (int i = 0; i < 100 && !stopStalling; ++i)
                std::this_thread::sleep_for(50ms);
            res.set_content("late", "text/plain");
        });
        server.Get("/big", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string((1 << 20) + 1, 'x'), "text/plain");
        });
        server.Get("/cap", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(1 << 20, 'x'), "text/plain");
        });
        server.Get("/latin1", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("caf\xe9", "text/plain");
        });
        server.Get("/redirect", [this](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("http://127.0.0.1:" + std::to_string(port) + "/ok");
        });
        server.Get("/to-ftp", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("ftp://127.0.0.1/x");
        });
        server.Get(R"(/loop/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            res.set_redirect("/loop/" + std::to_string(std::stoi(req.matches[1]) + 1));
        });
        server.Get("/hops/6", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("arrived", "text/plain");
        });
        server.Get(R"(/hops/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            res.set_redirect("/hops/" + std::to_string(std::stoi(req.matches[1]) + 1));
        });
        // One request per connection, so idle keep-alive connections never hold the server's
        // worker threads while other requests wait.
        server.set_keep_alive_max_count(1);
        port = server.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port, 0);
        serverThread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(1ms);
        HttpOptions options;
        options.connectTimeout = 1000ms;
        options.totalTimeout = 1500ms;
        http = std::make_unique<CurlHttp>(
            [this](std::function<void()> f) { ui.post(std::move(f)); }, options);
    }

    void TearDown() override {
        stopStalling = true;
        http.reset();
        server.stop();
        serverThread.join();
    }

    std::string url(const std::string& path) {
        return "http://127.0.0.1:" + std::to_string(port) + path;
    }

    HttpResult fetch(const std::string& u) {
        std::optional<HttpResult> result;
        http->get(u, [&](HttpResult r) { result = std::move(r); });
        EXPECT_TRUE(ui.pumpUntil([&] { return result.has_value(); }, 10s)) << u;
        return result.value_or(HttpResult{-999, 0, {}, "no result"});
    }
};

TEST_F(CurlHttpTest, A200AnswerWithCrLfBodyIsACompletedTransfer) {
    const HttpResult r = fetch(url("/ok"));
    EXPECT_EQ(r.responseCode, 0);
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(r.body, "on\r\nnews-1\r\n");
}

TEST_F(CurlHttpTest, A404IsNotCompletedButKeepsItsBody) {
    const HttpResult r = fetch(url("/missing"));
    EXPECT_EQ(r.responseCode, 404);
    EXPECT_EQ(r.httpStatus, 404);
    EXPECT_EQ(r.body, "not here");
}

TEST_F(CurlHttpTest, ARefusedConnectionIsNoAnswer) {
    // A port that was just free: bound, read and closed again, so nothing listens there.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    const int closedPort = ntohs(addr.sin_port);
    const HttpResult r = fetch("http://127.0.0.1:" + std::to_string(closedPort) + "/x");
    EXPECT_NE(r.responseCode, 0);
    EXPECT_EQ(r.httpStatus, 0);
    EXPECT_FALSE(r.error.empty());
}

TEST_F(CurlHttpTest, AServerThatStallsPastTheTimeoutFails) {
    const auto start = std::chrono::steady_clock::now();
    const HttpResult r = fetch(url("/stall"));
    EXPECT_NE(r.responseCode, 0);
    EXPECT_EQ(r.httpStatus, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

TEST_F(CurlHttpTest, ABodyOverTheCapFailsAndOneAtTheCapPasses) {
    const HttpResult big = fetch(url("/big"));
    EXPECT_NE(big.responseCode, 0);
    EXPECT_TRUE(big.body.empty());
    const HttpResult cap = fetch(url("/cap"));
    EXPECT_EQ(cap.responseCode, 0);
    EXPECT_EQ(cap.body.size(), 1u << 20);
}

TEST_F(CurlHttpTest, NonUtf8BytesAreReadAsWindows1252) {
    EXPECT_EQ(fetch(url("/latin1")).body, "caf\xc3\xa9");
}

TEST_F(CurlHttpTest, RedirectsAreFollowedFiveTimesAndOnlyToWebAddresses) {
    EXPECT_EQ(fetch(url("/redirect")).body, "on\r\nnews-1\r\n");
    EXPECT_EQ(fetch(url("/hops/1")).body, "arrived") << "five redirects";
    EXPECT_NE(fetch(url("/hops/0")).responseCode, 0) << "six redirects";
    EXPECT_NE(fetch(url("/loop/0")).responseCode, 0);
    EXPECT_NE(fetch(url("/to-ftp")).responseCode, 0);
}

TEST_F(CurlHttpTest, ACancelledRequestNeverDelivers) {
    bool delivered = false;
    const auto id = http->get(url("/stall"), [&](HttpResult) { delivered = true; });
    http->cancel(id);
    std::optional<HttpResult> later;
    http->get(url("/ok"), [&](HttpResult r) { later = std::move(r); });
    EXPECT_TRUE(ui.pumpUntil([&] { return later.has_value(); }, 5s));
    ui.pumpUntil([] { return false; }, 200ms);
    EXPECT_FALSE(delivered);
}

TEST_F(CurlHttpTest, ManyRequestsAtOnceAllComeBack) {
    // The test server listens with a backlog of 5, so a burst of connections waits for the
    // kernel's one-second SYN retry: this client has the program's own timeouts.
    http = std::make_unique<CurlHttp>([this](std::function<void()> f) { ui.post(std::move(f)); });
    int done = 0;
    std::vector<HttpResult> results;
    for (int i = 0; i < 20; ++i)
        http->get(url("/ok"), [&](HttpResult r) {
            ++done;
            results.push_back(std::move(r));
        });
    EXPECT_TRUE(ui.pumpUntil([&] { return done == 20; }, 20s));
    for (const auto& r : results)
        EXPECT_EQ(r.responseCode, 0) << r.error;
}

} // namespace
} // namespace bt

// The real HTTP client against a real HTTP server on 127.0.0.1, started by the test.

#include "backends/curl/curl_http.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include "ui_queue.h"

#include <atomic>
#include <thread>

namespace bt {
namespace {

using namespace std::chrono_literals;

using test::UiQueue;

class CurlHttpTest : public ::testing::Test {
  protected:
    httplib::Server server;
    std::thread serverThread;
    int port = 0;
    std::atomic<bool> stopStalling{false};
    UiQueue ui;
    std::unique_ptr<CurlHttp> http;

    void SetUp() override {
        auto content = [this](const char* path, std::string body, int status) {
            server.Get(path, [body, status](const httplib::Request&, httplib::Response& res) {
                res.status = status;
                res.set_content(body, "text/plain");
            });
        };
        content("/ok", "on\r\nnews-1\r\n", 200);
        content("/missing", "not here", 404);
        content("/big", std::string((1 << 20) + 1, 'x'), 200);
        content("/cap", std::string(1 << 20, 'x'), 200);
        content("/latin1", "caf\xe9", 200);
        content("/hops/6", "arrived", 200);
        server.Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
            for (int i = 0; i < 100 && !stopStalling; ++i)
                std::this_thread::sleep_for(50ms);
            res.set_content("late", "text/plain");
        });
        server.Get("/endless", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain",
                                             [](std::size_t, httplib::DataSink& sink) {
                                                 static const std::string piece(4096, 'y');
                                                 return sink.write(piece.data(), piece.size());
                                             });
        });
        server.Get("/redirect", [this](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("http://127.0.0.1:" + std::to_string(port) + "/ok");
        });
        server.Get("/to-ftp", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("ftp://127.0.0.1/x");
        });
        server.Get(R"(/(loop|hops)/(\d+))",
                   [](const httplib::Request& req, httplib::Response& res) {
                       res.set_redirect("/" + req.matches[1].str() + "/" +
                                        std::to_string(std::stoi(req.matches[2]) + 1));
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
        return result.value_or(HttpResult::failure("no result"));
    }
};

TEST_F(CurlHttpTest, AnswersRefusalsAndLimits) {
    struct Case {
        std::string url;
        int status; // 0: any failure without an answer
        std::string body;
    };
    // clang-format off
    for (const Case& c : std::vector<Case>{
             {url("/ok"), 200, "on\r\nnews-1\r\n"}, {url("/redirect"), 200, "on\r\nnews-1\r\n"},
             {url("/missing"), 404, "not here"}, // not ok, but the body is kept
             {url("/latin1"), 200, "caf\xc3\xa9"}, // read as Windows-1252
             {url("/cap"), 200, std::string(1 << 20, 'x')}, {url("/big"), 0, ""}, // 1 MiB
             {url("/endless"), 0, ""}, {url("/stall"), 0, ""}, // its answer, 5 s late, never taken
             {url("/hops/1"), 200, "arrived"}, {url("/hops/0"), 0, ""}, // five redirects, not six
             {url("/loop/0"), 0, ""},
             {url("/to-ftp"), 0, ""}, {"file:///etc/hostname", 0, ""}, // web addresses only
             {"http://127.0.0.1:1/x", 0, ""}}) { // nothing listens on port 1: refused
        // clang-format on
        const HttpResult r = fetch(c.url);
        if (c.status == 0) {
            EXPECT_FALSE(r.answered()) << c.url;
            EXPECT_FALSE(r.error.empty()) << c.url;
        } else {
            EXPECT_EQ(r.status, c.status) << c.url;
            EXPECT_EQ(r.ok(), c.status == 200) << c.url;
        }
        EXPECT_EQ(r.body, c.body) << c.url;
        if (c.url == url("/big") || c.url == url("/endless")) {
            EXPECT_EQ(r.error, "the answer is larger than 1 MiB");
        }
    }
}

TEST_F(CurlHttpTest, ACancelledRequestNeverDeliversAndOneStillRunningEndsWithTheClient) {
    bool delivered = false;
    const auto stalled = http->get(url("/stall"), [&](HttpResult) { delivered = true; });
    const auto answered = http->get(url("/ok"), [&](HttpResult) { delivered = true; });
    http->get(url("/stall"), [](HttpResult) {}); // still running when the client is destroyed
    std::this_thread::sleep_for(300ms);          // /ok is answered and waits for the UI thread
    http->cancel(stalled);
    http->cancel(answered);
    EXPECT_EQ(fetch(url("/ok")).body, "on\r\nnews-1\r\n");
    ui.pumpUntil([] { return false; }, 200ms);
    EXPECT_FALSE(delivered);
}

} // namespace
} // namespace bt

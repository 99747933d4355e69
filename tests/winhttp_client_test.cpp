// The Windows HTTP client against a server the test runs itself on a free port of 127.0.0.1: a
// download ends within its 15 s whatever the server does, and a slow but steady answer still
// arrives whole. Under Wine, as `make test` runs it.

#include <winsock2.h>

#include "backends/win32/winhttp_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace bt::win32 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Stands in for the UI thread: posted work waits here until the test runs it. The client's
// worker threads are detached, so they hold the queue as long as they need it.
class UiQueue {
  public:
    void post(std::function<void()> f) {
        std::lock_guard lock(m_);
        q_.push_back(std::move(f));
    }
    // Runs posted work until pred holds or the time is up.
    bool pumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds limit) {
        for (const auto end = Clock::now() + limit; !pred() && Clock::now() < end;
             std::this_thread::sleep_for(1ms)) {
            std::unique_lock lock(m_);
            auto work = std::move(q_);
            q_.clear();
            lock.unlock();
            for (auto& f : work)
                f();
        }
        return pred();
    }

  private:
    std::mutex m_;
    std::deque<std::function<void()>> q_;
};

// A plain HTTP server on 127.0.0.1, one thread per connection. `serve` writes the answer for the
// path asked, waiting with `pause`, which ends early when the server stops.
class TestServer {
  public:
    using Serve = std::function<void(SOCKET, const std::string& path, const TestServer&)>;

    explicit TestServer(Serve serve) : serve_(std::move(serve)) {
        WSADATA wsa;
        if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
            return;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0; // a free port
        int size = sizeof address;
        if (listener_ == INVALID_SOCKET ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
            listen(listener_, 16) != 0)
            return;
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptAll(); });
    }

    ~TestServer() {
        stopping_ = true;
        if (acceptor_.joinable())
            acceptor_.join();
        for (auto& t : connections_)
            t.join();
        if (listener_ != INVALID_SOCKET)
            closesocket(listener_);
        WSACleanup();
    }

    int port() const { return port_; }

    // Waits for `time`, or less once the server stops; false if it stopped.
    bool pause(std::chrono::milliseconds time) const {
        for (const auto end = Clock::now() + time; Clock::now() < end;
             std::this_thread::sleep_for(20ms))
            if (stopping_)
                return false;
        return !stopping_;
    }

    static bool send(SOCKET s, const std::string& bytes) {
        return ::send(s, bytes.data(), static_cast<int>(bytes.size()), 0) ==
               static_cast<int>(bytes.size());
    }

  private:
    void acceptAll() {
        while (!stopping_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval wait{0, 50 * 1000};
            if (select(0, &ready, nullptr, nullptr, &wait) <= 0)
                continue;
            const SOCKET s = accept(listener_, nullptr, nullptr);
            if (s != INVALID_SOCKET)
                connections_.emplace_back([this, s] { answer(s); });
        }
    }

    void answer(SOCKET s) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            const int got = recv(s, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        const auto from = request.find(' ');
        const auto to = request.find(' ', from + 1);
        if (from != std::string::npos && to != std::string::npos)
            serve_(s, request.substr(from + 1, to - from - 1), *this);
        shutdown(s, SD_BOTH);
        closesocket(s);
    }

    Serve serve_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::vector<std::thread> connections_; // only the acceptor adds to it, and it is joined first
};

std::string headers(std::size_t length) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
           std::to_string(length) + "\r\nConnection: close\r\n\r\n";
}

// The steady answer: six pieces of 1000 bytes, one a second, each of its own letter.
constexpr int kSteadyPieces = 6;
std::string steadyPiece(int i) {
    return std::string(1000, static_cast<char>('a' + i));
}

void serve(SOCKET s, const std::string& path, const TestServer& server) {
    if (path == "/trickle") {
        // One byte every 14 s: each wait for the server is shorter than 15 s, the whole answer
        // would take 23 minutes.
        if (!TestServer::send(s, headers(100)))
            return;
        for (int i = 0; i < 100 && TestServer::send(s, "x"); ++i)
            if (!server.pause(14s))
                return;
    } else if (path == "/steady") {
        if (!TestServer::send(s, headers(kSteadyPieces * steadyPiece(0).size())))
            return;
        for (int i = 0; i < kSteadyPieces; ++i)
            if ((i > 0 && !server.pause(1s)) || !TestServer::send(s, steadyPiece(i)))
                return;
    } else {
        TestServer::send(s, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    }
}

class WinHttpClientTest : public ::testing::Test {
  protected:
    std::shared_ptr<UiQueue> ui = std::make_shared<UiQueue>();
    TestServer server{serve};
    WinHttpClient http{[ui = ui](std::function<void()> f) { ui->post(std::move(f)); }};

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(server.port()) + path;
    }
};

struct Outcome {
    std::optional<HttpResult> result;
    Clock::duration after{};
};

TEST_F(WinHttpClientTest, ATricklingAnswerEndsWithinItsLimitAndASteadyOneArrivesWhole) {
    ASSERT_GT(server.port(), 0);
    // Both at once, each on its own worker: the trickle takes its 15 s, the steady answer its 5 s
    // meanwhile.
    const auto start = Clock::now();
    Outcome trickled, steady;
    auto keep = [start](Outcome& o) {
        return [&o, start](HttpResult r) {
            o.result = std::move(r);
            o.after = Clock::now() - start;
        };
    };
    http.get(url("/trickle"), keep(trickled));
    http.get(url("/steady"), keep(steady));
    ASSERT_TRUE(ui->pumpUntil([&] { return trickled.result && steady.result; }, 40s))
        << "the trickling download still ran after 40 s";

    const auto seconds = [](Clock::duration d) {
        return std::chrono::duration_cast<std::chrono::duration<double>>(d).count();
    };
    EXPECT_FALSE(trickled.result->answered()) << "it arrived after " << seconds(trickled.after);
    EXPECT_LT(trickled.after, 16s)
        << "the trickling download ended after " << seconds(trickled.after) << " s ("
        << trickled.result->error << ")";
    EXPECT_GT(trickled.after, 14s) << "it gave up before its time: " << trickled.result->error;
    EXPECT_EQ(trickled.result->error, "the answer took longer than 15 s");
    ASSERT_TRUE(steady.result->ok()) << steady.result->error;
    std::string whole;
    for (int i = 0; i < kSteadyPieces; ++i)
        whole += steadyPiece(i);
    EXPECT_EQ(steady.result->body, whole);
}

} // namespace
} // namespace bt::win32

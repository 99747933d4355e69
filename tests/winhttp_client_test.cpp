// The Windows HTTP client against the broken servers of bench/ on 127.0.0.1 (their addresses come
// from tests/wine/test_download.py, which starts them): a download that trickles ends within its
// 15 s, and a slow but steady answer still arrives whole. Under Wine, as `make test` runs it.

#include "backends/win32/winhttp_client.h"

#include "ui_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace bt::win32 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string urlOf(const char* variable) {
    const char* url = std::getenv(variable);
    return url ? url : "";
}

struct Outcome {
    std::optional<HttpResult> result;
    Clock::duration after{};
};

TEST(WinHttpClientTest, ATricklingAnswerEndsWithinItsLimitAndASteadyOneArrivesWhole) {
    const std::string trickle = urlOf("BRONTEK_TRICKLE_URL"), steady = urlOf("BRONTEK_STEADY_URL");
    ASSERT_FALSE(trickle.empty() || steady.empty()) << "run by tests/wine/test_download.py";
    auto ui = std::make_shared<test::UiQueue>();
    WinHttpClient http([ui](std::function<void()> f) { ui->post(std::move(f)); });
    // Both at once, each on its own worker: the trickle takes its 15 s, the steady answer its 5 s
    // meanwhile.
    const auto start = Clock::now();
    Outcome trickled, steadily;
    const auto keep = [start](Outcome& o) {
        return [&o, start](HttpResult r) {
            o.result = std::move(r);
            o.after = Clock::now() - start;
        };
    };
    http.get(trickle, keep(trickled));
    http.get(steady, keep(steadily));
    ASSERT_TRUE(ui->pumpUntil([&] { return trickled.result && steadily.result; }, 40s))
        << "the trickling download still ran after 40 s";
    const double seconds =
        std::chrono::duration_cast<std::chrono::duration<double>>(trickled.after).count();
    EXPECT_EQ(trickled.result->error, "the answer took longer than 15 s") << seconds << " s";
    EXPECT_TRUE(trickled.after > 14s && trickled.after < 16s) << "ended after " << seconds << " s";
    ASSERT_TRUE(steadily.result->ok()) << steadily.result->error;
    EXPECT_EQ(steadily.result->body, std::string(50, 'o'));
}

} // namespace
} // namespace bt::win32

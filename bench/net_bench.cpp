// Feed handling and the status poll's answer, on the fake platform.

#include "app/main_window.h"
#include "app/news_window.h"
#include "backends/fake/fake_platform.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

std::string sample(const std::string& name) {
    std::ifstream in(std::string(BRONTEK_SAMPLE_SITE) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The feed and its token arrive: normalise, split into 134 lines, read the layout, lay the
// window out.
void BM_FeedArrivesAndIsLaidOut(benchmark::State& state) {
    const std::string feed = sample("data.html");
    const std::string token = sample("br.html");
    for (auto _ : state) {
        state.PauseTiming();
        bt::FakePlatform p;
        bt::NewsWindow window(p.files, p.dialogs, p.http, p.clock, p.desktop);
        window.open(kBase, "id");
        p.clock.advance(2000);
        p.http.respondTo(std::string(kBase) + "data.html", bt::HttpResult::answer(200, feed));
        state.ResumeTiming();
        p.http.respondTo(std::string(kBase) + "br.html", bt::HttpResult::answer(200, token));
        benchmark::DoNotOptimize(window.controls().window.caption());
    }
}
BENCHMARK(BM_FeedArrivesAndIsLaidOut)->Unit(benchmark::kMicrosecond);

// One poll answer handled: status text and separator arrive, the label says ONLINE.
void BM_PollAnswerHandled(benchmark::State& state) {
    const std::string status = sample("form1.html");
    const std::string token = sample("br.html");
    const std::string statusUrl = std::string(kBase) + "form1.html";
    const std::string tokenUrl = std::string(kBase) + "br.html";
    for (auto _ : state) {
        state.PauseTiming();
        bt::FakePlatform p;
        bt::MainWindow window(p.system(), kBase);
        window.open(0);
        p.clock.advance(1000);
        state.ResumeTiming();
        p.http.respondTo(statusUrl, bt::HttpResult::answer(200, status));
        p.http.respondTo(tokenUrl, bt::HttpResult::answer(200, token));
        benchmark::DoNotOptimize(window.controls().statusLabel.caption());
    }
}
BENCHMARK(BM_PollAnswerHandled)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

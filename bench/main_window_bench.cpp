// The key poll's tick and the main window's start-up, on the fake platform.

#include "alloc_counter.h"
#include "app/main_window.h"
#include "backends/fake/fake_platform.h"

#include <benchmark/benchmark.h>

namespace {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

// Keys are never down: the fixed cost of one tick, paid ten times a second while a key is held.
class IdlePlatform : public bt::FakePlatform {
  public:
    bool keypadPressed(int) override { return false; }
};

void BM_KeyPollTick(benchmark::State& state) {
    IdlePlatform p;
    bt::MainWindow window(p, kBase);
    window.load();
    p.advance(100);
    bt::KeyPoll& keys = window.keys();
    keys.pollTick(); // warm
    const std::size_t before = bt::bench::allocations();
    for (auto _ : state)
        keys.pollTick();
    const std::size_t allocs = bt::bench::allocations() - before;
    state.counters["allocs_per_tick"] =
        benchmark::Counter(static_cast<double>(allocs) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_KeyPollTick);

std::string sampleBindFile() {
    std::string s = "2\r\n";
    for (int i = 0; i < 20; ++i)
        s += std::to_string(i % 4) + "\r\n";
    return s + "\r\n";
}

// Construction, load step with a bind file, and the first ticks (slot 0 refresh, five passes).
void BM_StartupWithBindFile(benchmark::State& state) {
    const std::string file = sampleBindFile();
    for (auto _ : state) {
        bt::FakePlatform p;
        p.files["binds"] = file;
        bt::MainWindow window(p, kBase);
        window.load();
        window.controls().bindApplyTimer.fire();
        benchmark::DoNotOptimize(window.controls().slotMenu(9).index());
    }
}
BENCHMARK(BM_StartupWithBindFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// The key watcher's tick and the main window's start-up, on the fake platform.

#include "alloc_counter.h"
#include "platform/fake/fake_platform.h"
#include "ui/form1.h"

#include <benchmark/benchmark.h>

namespace {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

// Keys are never down, so a tick is what the program does ten times a second all day long.
class IdlePlatform : public bt::FakePlatform {
  public:
    bool keyPressed(int) override { return false; }
};

void BM_WatcherTick(benchmark::State& state) {
    IdlePlatform p;
    bt::Form1 form(p, kBase);
    form.load();
    p.advance(100);
    bt::KeyWatcher& watcher = form.watcher();
    watcher.watcherTick(); // warm
    const std::size_t before = bt::bench::allocations();
    for (auto _ : state)
        watcher.watcherTick();
    const std::size_t allocs = bt::bench::allocations() - before;
    state.counters["allocs_per_tick"] =
        benchmark::Counter(static_cast<double>(allocs) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_WatcherTick);

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
        bt::Form1 form(p, kBase);
        form.load();
        form.controls().timer(3).fire();
        benchmark::DoNotOptimize(form.controls().combo(20).listIndex());
    }
}
BENCHMARK(BM_StartupWithBindFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

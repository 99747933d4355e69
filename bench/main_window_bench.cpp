// The key path and the main window's start-up, on the fake platform.

#include "alloc_counter.h"
#include "app/main_window.h"
#include "backends/fake/fake_platform.h"

#include <benchmark/benchmark.h>

namespace {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

// Drives the message start's and v's alarms and the key send timer by hand and only counts the
// keys, so that what is measured is the core's own work.
class HandClock : public bt::Clock {
  public:
    void timerChanged(bt::Timer& timer) override { timer_ = &timer; }
    void timerDestroyed(bt::Timer&) override {}
    void alarmChanged(bt::Alarm& alarm) override { alarm_ = &alarm; }
    void alarmDestroyed(bt::Alarm&) override {}
    bt::Timer* timer_ = nullptr;
    bt::Alarm* alarm_ = nullptr;
};

class CountingTypist : public bt::Typist {
  public:
    bt::TypeOutcome typeKey(bt::TypedKey) override { return ++keys, bt::TypeOutcome{}; }
    long keys = 0;
};

struct BarePlatform : bt::FakePlatform {
    HandClock hand;
    CountingTypist counter;
    bt::System system() {
        return {input, counter, hand,  dialogs, tray,       desktop,
                files, http,    focus, notices, permission, autostart};
    }

    // One press of Numpad 4 at t: the start it wakes, and the three keys typed.
    void pressAndType(bt::Millis t) {
        input.press(4);
        input.release(4);
        hand.alarm_->ring(t);       // the start, which sets v's alarm
        hand.alarm_->ring(t + 100); // v, which starts the send timer
        for (int step = 2; step <= 3; ++step)
            hand.timer_->fire(t + 100 * step);
    }
};

void BM_KeyPress(benchmark::State& state) {
    BarePlatform p;
    bt::MainWindow window(p.system(), kBase);
    window.open(0);
    p.pressAndType(0); // warm
    const std::size_t before = bt::bench::allocations();
    for (auto _ : state)
        p.pressAndType(0);
    const std::size_t allocs = bt::bench::allocations() - before;
    state.counters["allocs_per_press"] =
        benchmark::Counter(static_cast<double>(allocs) / static_cast<double>(state.iterations()));
    if (p.counter.keys != 3 * (static_cast<long>(state.iterations()) + 1))
        state.SkipWithError("keys were not typed");
}
BENCHMARK(BM_KeyPress);

std::string sampleBindFile() {
    std::string s = "2\r\n";
    for (int i = 0; i < 20; ++i)
        s += std::to_string(i % 4) + "\r\n";
    return s + "\r\n";
}

// Construction and the load step with a bind file: read, restore, show.
void BM_StartupWithBindFile(benchmark::State& state) {
    const std::string file = sampleBindFile();
    for (auto _ : state) {
        bt::FakePlatform p;
        p.files["binds"] = file;
        bt::MainWindow window(p.system(), kBase);
        window.open(0);
        benchmark::DoNotOptimize(window.controls().slotMenu(9).index());
    }
}
BENCHMARK(BM_StartupWithBindFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

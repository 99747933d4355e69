#pragma once

#include "app/application.h"
#include "backends/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace bt::test {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";
using Typed = std::vector<std::pair<std::int64_t, std::string>>; // (virtual time, keys)

inline Typed typedKeys(const FakePlatform& p) {
    Typed out;
    for (const auto& t : p.typed)
        out.emplace_back(t.at, t.keys);
    return out;
}

// The program on the fake platform, started the way the real one starts.
class MainWindowTest : public ::testing::Test {
  protected:
    FakePlatform p;
    std::unique_ptr<Application> app;

    void start() {
        app = std::make_unique<Application>(p, kBase);
        app->start();
    }
    // Start and let the one-shot timers run.
    void startAndSettle() {
        start();
        p.advance(100);
    }
    MainWindow& window() { return app->mainWindow(); }
    MainWindowControls& c() { return app->mainWindow().controls(); }

    // The slot's binding as (menu number, message number), 0 where a list has no selection.
    std::pair<int, int> binding(int slot) {
        return {c().slotMenu(slot).index() + 1, c().slotMessage(slot).index() + 1};
    }
    // Chooses a menu and a message as the player does.
    void bind(int slot, int menu, int message) {
        c().slotMenu(slot).setIndex(menu - 1);
        c().slotMessage(slot).setIndex(message - 1);
    }
    Typed typed() const { return typedKeys(p); }
};

// The bytes Save writes for a variant and the twenty indices in file order.
inline std::string bindFileBytes(const std::string& variant, const std::vector<int>& indices) {
    std::string s = variant + "\r\n";
    for (int i : indices)
        s += std::to_string(i) + "\r\n";
    return s + "\r\n";
}

inline HttpResult ok(std::string body) {
    return HttpResult{0, 200, std::move(body), {}};
}

} // namespace bt::test

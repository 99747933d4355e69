#pragma once

#include "app/application.h"
#include "backends/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bt::test {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";
using Typed = std::vector<std::pair<Millis, std::string>>; // (virtual time, key)

// The program on the fake platform, started the way the real one starts, at virtual time 0.
class MainWindowTest : public ::testing::Test {
  protected:
    FakePlatform p;
    std::unique_ptr<Application> app;

    void start() {
        app = std::make_unique<Application>(p.system(), kBase);
        app->start(p.clock.now());
    }
    MainWindow& window() { return app->mainWindow(); }
    MainWindowControls& c() { return app->mainWindow().controls(); }

    // Chooses a menu and a message as the player does, in the slot's two lists.
    void bind(int slot, int menu, int message) {
        c().slotMenu(slot).choose(menu - 1);
        c().slotMessage(slot).choose(message - 1);
    }
    Typed typed() const {
        Typed out;
        for (const auto& t : p.typist.typed)
            out.emplace_back(t.at, t.key);
        return out;
    }
};

// The bytes Save writes for a game line and the twenty entries in the file's order.
inline std::string bindFileBytes(const std::string& game, const std::vector<int>& entries) {
    std::string s = game + "\r\n";
    for (int i : entries)
        s += std::to_string(i) + "\r\n";
    return s + "\r\n";
}

inline HttpResult ok(std::string body) {
    return HttpResult::answer(200, body);
}

// A file of the sample news site.
inline std::string sampleFile(const std::string& name) {
    std::ifstream in(std::string(BRONTEK_SAMPLE_SITE) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The sample feed with some of its lines (by number) replaced, cut at its token here rather than
// by the code under test.
inline std::string sampleFeed(const std::map<std::size_t, std::string>& changes = {}) {
    const std::string feed = sampleFile("data.html"), token = sampleFile("br.html");
    std::string body;
    std::size_t n = 0;
    for (std::size_t from = 0, at; (at = feed.find(token, from)) != std::string::npos;
         from = at + token.size(), ++n)
        body += (changes.count(n) ? changes.at(n) : feed.substr(from, at - from)) + token;
    return body;
}

} // namespace bt::test

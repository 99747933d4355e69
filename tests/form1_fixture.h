#pragma once

#include "engine/slots.h"
#include "platform/fake/fake_platform.h"
#include "ui/form1.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bt::test {

constexpr const char* kBase = "http://127.0.0.1:8642/update_info/binds_data/";

// A main window on the fake platform, started the way the program starts it.
class Form1Fixture : public ::testing::Test {
  protected:
    FakePlatform p;
    std::unique_ptr<Form1> form;

    void start() {
        form = std::make_unique<Form1>(p, kBase);
        form->load();
    }
    // Start and let the one-shot timers run.
    void startAndSettle() {
        start();
        p.advance(100);
    }
    Form1Controls& c() { return form->controls(); }

    // The slot's binding as (menu number, message number), 0 where a list has no selection.
    std::pair<int, int> binding(int slot) {
        const SlotDef& s = kSlots[static_cast<std::size_t>(slot)];
        return {c().combo(s.menuCombo).listIndex() + 1, c().combo(s.messageCombo).listIndex() + 1};
    }
    void bind(int slot, int menu, int message) {
        const SlotDef& s = kSlots[static_cast<std::size_t>(slot)];
        form->userSelected(s.menuCombo, menu - 1);
        form->userSelected(s.messageCombo, message - 1);
    }
    std::vector<std::string> typedKeys() const {
        std::vector<std::string> keys;
        for (const auto& t : p.typed)
            keys.push_back(t.keys);
        return keys;
    }
    std::vector<std::int64_t> typedTimes() const {
        std::vector<std::int64_t> times;
        for (const auto& t : p.typed)
            times.push_back(t.at);
        return times;
    }
};

// The text Save writes for a variant field and the twenty indices, as a test spells it out.
inline std::string bindFileBytes(const std::string& variant, const std::vector<int>& indices) {
    std::string s = variant + "\r\n";
    for (int i : indices)
        s += std::to_string(i) + "\r\n";
    return s + "\r\n";
}

} // namespace bt::test

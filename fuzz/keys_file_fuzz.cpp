// Any bytes as the "keys" file: no two slots end up on one key, no slot on a key that must not
// fire one, every slot types its sequence on its key, and choosing keys still works. Nothing may
// crash, hang or leak.

#include "app/main_window.h"
#include "backends/fake/fake_platform.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bt::FakePlatform p;
    for (std::uint32_t code = 0; code < 64; ++code) // a keyboard with keys of every kind
        p.input.addKey(code, "K" + std::to_string(code), static_cast<bt::KeyKind>(code % 5));
    p.files["keys"] = std::string(reinterpret_cast<const char*>(data), size);
    bt::MainWindow window(p.system(), "http://127.0.0.1:8642/update_info/binds_data/");
    window.open(0);
    std::set<bt::KeyCode> fired;
    for (int slot = 0; slot < bt::kSlotCount; ++slot) {
        const auto chosen = window.triggerKeys().chosen[static_cast<std::size_t>(slot)];
        const bt::KeyCode key = chosen.value_or(p.input.keypadKey(slot));
        if (!fired.insert(key).second ||
            (chosen && p.input.describe(*chosen)->kind != bt::KeyKind::Ordinary))
            std::abort();
        p.typist.typed.clear();
        p.input.pressKey(key);
        p.input.releaseKey(key);
        p.clock.advance(500);
        if (p.typist.typed.size() != 3)
            std::abort();
    }
    window.controls().keyLabel(size % 10).click();
    p.input.pressKey(bt::KeyCode{static_cast<std::uint32_t>(size % 64)});
    return 0;
}

// Any bytes as the "binds" file: the profile restored must be the one the five passes always
// restored, every key must type a whole sequence, and switching the game and saving must work.
// Nothing may crash, hang or leak.

#include "app/main_window.h"
#include "backends/fake/fake_platform.h"
#include "five_pass_restore.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    bt::FakePlatform p;
    p.files["binds"] = text;
    bt::MainWindow window(p.system(), "http://127.0.0.1:8642/update_info/binds_data/");
    window.open(0);
    auto& c = window.controls();
    c.saveButton.click();
    const auto old = bt::test::FivePassRestore::run(
        text.empty() ? std::nullopt : std::optional<std::string>(text.substr(0, 4096)));
    std::string oldFile = old.gameLine + "\r\n";
    for (int e : old.entries)
        oldFile += std::to_string(e) + "\r\n";
    if (p.files["binds"] != oldFile + "\r\n" ||
        (window.profile().catalogue() == bt::Game::UnitedOffensive) != old.unitedOffensive)
        std::abort();
    for (int slot = 0; slot < bt::kSlotCount; ++slot) {
        p.input.tap(slot);
        p.clock.advance(400);
    }
    if (p.typist.typed.size() != 30)
        std::abort();
    c.unitedOffensiveOption.click();
    c.saveButton.click();
    return 0;
}

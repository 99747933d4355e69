// Any bytes as the "binds" file: start the main window, apply the text five times, press every
// key, switch the variant and save. Nothing may crash, hang, leak or leave a list unselected.

#include "app/main_window.h"
#include "backends/fake/fake_platform.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bt::FakePlatform p;
    p.files["binds"] = std::string(reinterpret_cast<const char*>(data), size);
    bt::MainWindow window(p, "http://127.0.0.1:8642/update_info/binds_data/");
    window.load();
    p.advance(100);
    auto& c = window.controls();
    for (const bt::SlotListRef& ref : bt::kFileOrder)
        if (c.slotList(ref).index() < 0)
            std::abort();
    for (int digit = 0; digit < bt::kSlotCount; ++digit) {
        p.tap(digit);
        p.advance(400);
    }
    if (p.typed.size() != 30)
        std::abort();
    c.saveButton.click();
    c.unitedOffensiveOption.select();
    c.saveButton.click();
    return 0;
}

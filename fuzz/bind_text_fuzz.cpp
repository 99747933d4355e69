// Any bytes as the "binds" file: start the main window, apply the text five times, press every
// key, switch the variant and save. Nothing may crash, hang, leak or leave a list unselected.

#include "platform/fake/fake_platform.h"
#include "ui/form1.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bt::FakePlatform p;
    p.files["binds"] = std::string(reinterpret_cast<const char*>(data), size);
    bt::Form1 form(p, "http://127.0.0.1:8642/update_info/binds_data/");
    form.load();
    p.advance(100);
    for (int n = 1; n <= 20; ++n)
        if (form.controls().combo(n).listIndex() < 0)
            std::abort();
    for (int vk = bt::kVkNumpad0; vk <= bt::kVkNumpad9; ++vk) {
        p.tap(vk);
        p.advance(400);
    }
    if (p.typed.size() != 30)
        std::abort();
    form.controls().command(1).click();
    form.userSelectedOption(2);
    form.controls().command(1).click();
    return 0;
}

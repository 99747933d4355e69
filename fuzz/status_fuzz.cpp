// Any status text, separator and "data" file: the poll takes the answer, the blink runs, and the
// exit decides about the news window, which then opens and closes.

#include "app/application.h"
#include "backends/fake/fake_platform.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string all(reinterpret_cast<const char*>(data), size);
    // Three parts separated by the first two NUL bytes: status text, separator, "data" file.
    const auto a = all.find('\0');
    const auto b = a == std::string::npos ? a : all.find('\0', a + 1);
    const std::string status = all.substr(0, a);
    const std::string separator = a == std::string::npos ? "" : all.substr(a + 1, b - a - 1);
    const std::string stored = b == std::string::npos ? "" : all.substr(b + 1);
    bt::FakePlatform p;
    if (!stored.empty())
        p.files["data"] = stored;
    const std::string base = "http://127.0.0.1:8642/update_info/binds_data/";
    bt::Application app(p.system(), base);
    app.start(0);
    p.clock.advance(1000);
    p.http.respondTo(base + "form1.html", bt::HttpResult::answer(200, status));
    p.http.respondTo(base + "br.html", bt::HttpResult::answer(200, separator));
    p.clock.advance(12000);
    app.mainWindow().controls().exitButton.click();
    if (bt::NewsWindow* news = app.newsWindow()) {
        p.clock.advance(2000);
        p.http.respondTo(base + "data.html", bt::HttpResult::answer(200, status));
        p.clock.advance(1);
        p.http.respondTo(base + "br.html", bt::HttpResult::answer(200, separator));
        p.clock.advance(2);
        news->controls().declineBox.toggle(true);
        news->close();
    }
    if (!p.desktop.ended)
        __builtin_trap();
    return 0;
}

// Any feed and break token: normalise, split, lay out, and hover all six links, click what can be
// clicked, run the probe. The first byte says how long the token is.

#include "app/news_window.h"
#include "backends/fake/fake_platform.h"
#include "base/link_policy.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t tokenLength = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::string token(reinterpret_cast<const char*>(data + 1), tokenLength);
    const std::string body(reinterpret_cast<const char*>(data + 1 + tokenLength),
                           size - 1 - tokenLength);
    const std::string base = "http://127.0.0.1:8642/update_info/binds_data/";
    bt::FakePlatform p;
    bt::NewsWindow window(p.files, p.dialogs, p.http, p.clock, p.desktop);
    window.open(base, "id");
    p.clock.advance(2000);
    p.http.respondTo(base + "data.html", bt::HttpResult::answer(200, body));
    p.http.respondTo(base + "br.html", bt::HttpResult::answer(200, token));
    auto& links = window.links();
    for (int k = 1; k <= bt::kLinkCount; ++k) {
        links.pointerOverLink(k, {true}, 10.0 * k, -5.0 * k);
        links.linkClicked(k);
        links.clickLabelClicked();
    }
    links.pointerOverLink(3, {}, 1e9, -1e9);
    links.probeClicked();
    links.surfaceMoved(-1e300, 1e300);
    window.pageClicked();
    window.close();
    // Whatever the feed says, only web addresses are ever handed to the system.
    for (const auto& opened : p.desktop.linksOpened)
        if (!bt::isWebLink(opened))
            __builtin_trap();
    return 0;
}

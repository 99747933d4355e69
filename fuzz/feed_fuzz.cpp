// Any feed and break token: normalise, split, lay out, and hover all six links, click what can be
// clicked, run the probe. The first byte says how long the token is.

#include "app/news_window.h"
#include "backends/fake/fake_platform.h"
#include "base/link_policy.h"
#include "behaviours/news/feed.h"
#include "behaviours/news/news_layout.h"
#include "behaviours/news/news_links.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t tokenLength = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::string token(reinterpret_cast<const char*>(data + 1), tokenLength);
    const std::string body(reinterpret_cast<const char*>(data + 1 + tokenLength),
                           size - 1 - tokenLength);
    bt::FakePlatform p;
    bt::NewsWindow window(p);
    window.open("http://127.0.0.1:8642/update_info/binds_data/", "id");
    auto& c = window.controls();
    c.feedText = bt::normaliseFeed(body, token);
    bt::layoutStep(c);
    auto& links = window.links();
    for (int k = 1; k <= bt::kLinkCount; ++k) {
        links.pointerOverLink(k, bt::kLeftButton, 10.0 * k, -5.0 * k);
        links.linkClicked(k);
        links.openLinkClicked();
    }
    links.pointerOverLink(3, bt::kNoButton, 1e9, -1e9);
    links.probeClicked();
    p.advance(3);
    window.unload();
    // Whatever the feed says, only web addresses are ever handed to the system.
    for (const auto& opened : p.linksOpened)
        if (!bt::isWebLink(opened))
            __builtin_trap();
    return 0;
}

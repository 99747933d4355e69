// Any feed and break token: normalise, split, lay out, and hover all six links, click what can be
// clicked, run the probe. The first byte says how long the token is.

#include "net/feed.h"
#include "net/link_policy.h"
#include "net/news_layout.h"
#include "net/news_links.h"
#include "platform/fake/fake_platform.h"
#include "ui/form2.h"

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
    bt::Form2 form(p);
    form.open("http://127.0.0.1:8642/update_info/binds_data/", "id");
    auto& c = form.controls();
    c.text(1).setText(bt::normaliseFeed(body, token));
    bt::layoutStep(c);
    auto& links = form.links();
    for (int k = 1; k <= 6; ++k) {
        links.pointerOverLink(k, bt::kLeftButton, 10.0 * k, -5.0 * k);
        links.linkClicked(k);
        links.clickLabelClicked();
    }
    links.pointerOverLink(3, bt::kNoButton, 1e9, -1e9);
    links.probeLabelClicked();
    p.advance(3);
    form.unload();
    // Whatever the feed says, only web addresses are ever handed to the system.
    for (const auto& opened : p.linksOpened)
        if (!bt::isWebLink(opened))
            __builtin_trap();
    return 0;
}

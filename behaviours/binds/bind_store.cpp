#include "behaviours/binds/bind_store.h"

#include "base/file_functions.h"
#include "base/platform.h"

namespace bt {

namespace {
constexpr const char* kFileName = "binds";
}

BindProfile BindStore::load() {
    const auto text = readSmallFile(platform_, kFileName, kMaxBindFileBytes);
    if (!text || BindsCodec::meansNoFile(*text))
        return BindProfile{};
    return codec_.read(*text);
}

void BindStore::save(const BindProfile& profile) {
    replaceFileOrTell(platform_, kFileName, codec_.write(profile), "bindings",
                      "They are still set in this window; try Save again.");
}

} // namespace bt

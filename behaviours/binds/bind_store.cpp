#include "behaviours/binds/bind_store.h"

#include "base/system/file_functions.h"

namespace bt {

namespace {
constexpr const char* kFileName = "binds";
}

BindProfile BindStore::load() {
    const auto text = readSmallFile(files_, kFileName, kMaxBindFileBytes);
    if (!text || BindsCodec::meansNoFile(*text))
        return BindProfile{};
    return codec_.read(*text);
}

void BindStore::save(const BindProfile& profile) {
    replaceFileOrTell(files_, dialogs_, kFileName, codec_.write(profile), "bindings",
                      "They are still set in this window; try Save again.");
}

} // namespace bt

#include "behaviours/binds/bind_store.h"

#include "base/file_functions.h"
#include "base/platform.h"
#include "base/texts.h"

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
    const FileWriteResult result = platform_.replaceFile(kFileName, codec_.write(profile));
    if (!result.ok)
        platform_.messageBox(std::string("Your bindings could not be saved to the file \"") +
                                 kFileName + "\": " + result.error +
                                 ".\r\nThey are still set in this window; try Save again.",
                             kBoxTitle);
}

} // namespace bt

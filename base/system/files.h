#pragma once

// Files in the working directory: "binds", "keys", "options" and "data".

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

struct FileWriteResult {
    bool ok = true;
    std::string error; // why it failed, in words for the player
};

class Files {
  public:
    virtual ~Files() = default;
    // -1 when the length cannot be read.
    virtual std::int64_t fileLength(std::string_view name) = 0;
    // Reads at most maxBytes from the start of the file; nullopt when it cannot be read.
    virtual std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) = 0;
    // Replaces the file as a whole: afterwards it holds either the old or the new content.
    virtual FileWriteResult replaceFile(std::string_view name, std::string_view contents) = 0;
};

} // namespace bt

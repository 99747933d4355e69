#pragma once

// The program's files ("binds", "data") on a POSIX system, relative to the working directory.

#include "base/system/files.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bt::posix {

std::int64_t fileLength(std::string_view name);
std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes);
// Writes a temporary file in the same folder, flushes it to disk and renames it over the old one,
// so the file is always either the old or the new complete file.
FileWriteResult replaceFile(std::string_view name, std::string_view contents);

class PosixFiles : public Files {
  public:
    std::int64_t fileLength(std::string_view name) override { return posix::fileLength(name); }
    std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) override {
        return posix::readFile(name, maxBytes);
    }
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override {
        return posix::replaceFile(name, contents);
    }
};

} // namespace bt::posix

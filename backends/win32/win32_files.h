#pragma once

// The program's files ("binds", "data") on Windows, relative to the working directory.

#include "base/system/files.h"

namespace bt::win32 {

std::int64_t fileLength(std::string_view name);
std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes);
// A temporary file in the same folder, flushed to disk, then moved over the old one in one step.
FileWriteResult replaceFile(std::string_view name, std::string_view contents);

class Win32Files : public Files {
  public:
    std::int64_t fileLength(std::string_view name) override { return win32::fileLength(name); }
    std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) override {
        return win32::readFile(name, maxBytes);
    }
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override {
        return win32::replaceFile(name, contents);
    }
};

} // namespace bt::win32

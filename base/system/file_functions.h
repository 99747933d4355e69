#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

class Dialogs;
class Files;

// The file's content, at most maxBytes of it (a file that is not what the caller expects, binary
// or megabytes, is read no further than the caller's format could reach); nullopt for a file that
// is missing or empty, whose length cannot be read, or that cannot be read at all. Never fails.
std::optional<std::string> readSmallFile(Files& files, std::string_view name, std::size_t maxBytes);

// Replaces the file as a whole. When that fails the player is told in a box what could not be
// saved ("Your <what> could not be saved…"), why, and the advice if there is one; the old file
// stays as it was. Returns whether the file was written.
bool replaceFileOrTell(Files& files, Dialogs& dialogs, std::string_view name,
                       std::string_view contents, std::string_view what,
                       std::string_view advice = {});

} // namespace bt

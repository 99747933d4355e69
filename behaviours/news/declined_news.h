#pragma once

// The file "data" in the working directory: the identifier of the news item the player asked not
// to see again, one line ended by CR LF.

#include <string>
#include <string_view>

namespace bt {

class Dialogs;
class Files;

// The declined identifier: the file's first line. Without the file, its name "data" stands in for
// it, as it always has, so a server's news item called "data" is never shown.
std::string readDeclinedNews(Files& files);
// Replaces the file as a whole with the identifier; a failure is told to the player.
void writeDeclinedNews(Files& files, Dialogs& dialogs, std::string_view newsId);

// The file's name, which also stands in for a missing identifier.
constexpr const char* kDeclinedNewsFile = "data";

} // namespace bt

#pragma once

// The program's command line, the same on both systems:
//   brontek-tarnlow [--server HOST[:PORT] | --no-server] [--tray] [--folder DIR] | --help |
//   --version

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bt {

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    // The server base URL for this run; none when the build names no server and the command line
    // names none either: then nothing is asked or sent anywhere.
    std::optional<std::string> serverUrl;
    bool intoTray = false;  // start put away: in the tray, or minimized where there is none
    std::string folder;     // the folder of the files, when not the one it is started in
    std::string error;      // one line, when the command line cannot be used
    bool usageHint = false; // the error is about the command line's shape: point to --help
};

// args without the program's name; defaultHost is the news server the program was built for, empty
// when the build names none.
CommandLine parseCommandLine(const std::vector<std::string>& args, std::string_view defaultHost);

// "http://" + host + "/update_info/binds_data/": only the host is configuration.
std::string serverBaseUrl(std::string_view host);

// A host name, an IPv4 address or a bracketed IPv6 address, with an optional port 1..65535.
bool isServerHost(std::string_view hostAndPort);

// What --help prints; filesNote says where this system's program keeps "binds" and "data", and
// defaultHost is the news server the program was built for (empty: none).
std::string usageText(std::string_view filesNote, std::string_view defaultHost);
std::string versionText();

// What a command line of the wrong shape prints after its error line.
constexpr const char* kUsageHint = "Try 'brontek-tarnlow --help' for more information.";

} // namespace bt

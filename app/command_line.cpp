#include "app/command_line.h"

#include "behaviours/keys/game_focus.h"

namespace bt {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isPort(std::string_view port) {
    if (port.empty() || port.size() > 5)
        return false;
    int value = 0;
    for (char c : port) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

// Letters, digits and hyphens in dot-separated labels of 1 to 63 characters; an IPv4 address is
// one of these too.
bool isHostName(std::string_view host) {
    if (host.empty() || host.size() > 253)
        return false;
    std::size_t label = 0;
    for (std::size_t i = 0; i <= host.size(); ++i) {
        const char c = i < host.size() ? host[i] : '.';
        if (c == '.') {
            if (label == 0 || label > 63 || host[i - 1] == '-' || host[i - label] == '-')
                return false;
            label = 0;
        } else if (isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-') {
            ++label;
        } else {
            return false;
        }
    }
    return true;
}

bool isIpv6(std::string_view address) {
    if (address.size() < 2)
        return false;
    for (char c : address)
        if (!isDigit(c) && !(c >= 'a' && c <= 'f') && !(c >= 'A' && c <= 'F') && c != ':' &&
            c != '.')
            return false;
    return address.find(':') != std::string_view::npos;
}

} // namespace

bool isServerHost(std::string_view hostAndPort) {
    std::string_view host = hostAndPort;
    std::string_view rest;
    if (host.starts_with('[')) {
        const std::size_t close = host.find(']');
        if (close == std::string_view::npos || !isIpv6(host.substr(1, close - 1)))
            return false;
        rest = host.substr(close + 1);
        host = {};
    } else if (const std::size_t colon = host.find(':'); colon != std::string_view::npos) {
        rest = host.substr(colon);
        host = host.substr(0, colon);
    }
    if (!host.empty() && !isHostName(host))
        return false;
    if (host.empty() && !hostAndPort.starts_with('['))
        return false;
    return rest.empty() || (rest.front() == ':' && isPort(rest.substr(1)));
}

std::string serverBaseUrl(std::string_view host) {
    return "http://" + std::string(host) + "/update_info/binds_data/";
}

CommandLine parseCommandLine(const std::vector<std::string>& args, std::string_view defaultHost) {
    CommandLine line;
    if (!defaultHost.empty())
        line.serverUrl = serverBaseUrl(defaultHost);
    auto fail = [&line](std::string message, bool hint) {
        line.action = CommandLine::Action::Error;
        line.error = "brontek-tarnlow: " + std::move(message);
        line.usageHint = hint;
        return line;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            line.action = CommandLine::Action::Help;
        } else if (arg == "--version") {
            if (line.action != CommandLine::Action::Help)
                line.action = CommandLine::Action::Version;
        } else if (arg == "--server" || arg.starts_with("--server=")) {
            std::string host;
            if (arg == "--server") {
                if (i + 1 == args.size())
                    return fail("--server needs a value: HOST or HOST:PORT", false);
                host = args[++i];
            } else {
                host = arg.substr(9);
            }
            if (!isServerHost(host))
                return fail("'" + host +
                                "' is not a server: give HOST or HOST:PORT, such as "
                                "news.example.org or 192.0.2.7:8080",
                            false);
            line.serverUrl = serverBaseUrl(host);
        } else if (arg == "--no-server") {
            // A player who wants nothing sent from a build that names a server.
            line.serverUrl.reset();
        } else if (arg == "--tray") {
            line.intoTray = true;
        } else if (arg == "--folder" || arg.starts_with("--folder=")) {
            if (arg != "--folder")
                line.folder = arg.substr(9);
            else if (i + 1 < args.size())
                line.folder = args[++i];
            if (line.folder.empty())
                return fail("--folder needs a value: the folder that holds \"binds\"", false);
        } else if (arg.starts_with('-')) {
            return fail("unknown option '" + arg + "'", true);
        } else {
            return fail("unexpected argument '" + arg + "'", true);
        }
    }
    return line;
}

std::string usageText(std::string_view filesNote, std::string_view defaultHost) {
    // The games' programs as "Only in the game" knows them, so the help never lists others.
    std::string games;
    for (std::string_view game : kGamePrograms)
        games += (games.empty() ? "" : ", ") + std::string(game);
    const std::string server =
        defaultHost.empty()
            ? std::string("Server: none is built in, so the program asks no server and sends\n"
                          "nothing unless --server names one.")
            : "Server: " + std::string(defaultHost) +
                  " is built in (the status at start, the news at exit).";
    return "Usage: brontek-tarnlow [--server HOST[:PORT] | --no-server] [--tray]\n"
           "                       [--folder DIR]\n"
           "Types a Call of Duty voice message (v, menu digit, message digit) into the game\n"
           "when you press its numeric-keypad key.\n"
           "\n"
           "Options:\n"
           "  --server HOST[:PORT]  ask this news server for this run instead of the one\n"
           "                        built in; the paths under it stay\n"
           "                        /update_info/binds_data/...\n"
           "  --no-server           ask no server for this run: no status, no news,\n"
           "                        nothing sent\n"
           "  --tray                start hidden in the tray (minimized where there is\n"
           "                        no tray), as it starts with the desktop\n"
           "  --folder DIR          keep the files listed below in DIR instead of the\n"
           "                        folder it is started in\n"
           "  -h, --help            show this help and exit\n"
           "  --version             show the version and exit\n"
           "\n"
           "No keypad? Click a key's label (\"Numpad 3\") and press the key that should\n"
           "type its message instead (F5, Insert, a letter the game leaves free); Escape\n"
           "cancels, Delete or Backspace gives the keypad key back. v, the digits and\n"
           "Shift (the program types them) and Ctrl, Alt or Super alone cannot be chosen.\n"
           "\n"
           "\"Only in the game\" types a message only while a game's window has the focus\n"
           "(" +
           games +
           ",\n"
           "and any other \"Add the game's window\" was shown). The file \"options\" keeps it,\n"
           "one name = value line each:\n"
           "  only-in-game = yes        (or no, the default)\n"
           "  game-program = NAME       a program that counts as the game too\n"
           "\n"
           "\"Start with Windows\" (\"Start at login\" on Linux) starts the program into\n"
           "the tray when you log in, with the files it uses now: ticked, the system's\n"
           "list of programs started at login has an entry that runs it with --tray and\n"
           "--folder; cleared, the entry is gone.\n"
           "\n"
           "Files: " +
           std::string(filesNote) + "\n\n" + server + "\n";
}

std::string versionText() {
    return "brontek-tarnlow " BRONTEK_VERSION "\n";
}

} // namespace bt

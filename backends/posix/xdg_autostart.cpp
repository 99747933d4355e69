#include "backends/posix/xdg_autostart.h"

#include "backends/posix/posix_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace bt::posix {

namespace {

constexpr std::string_view kFileName = "com.brontek.tarnlow.desktop";
constexpr std::size_t kMaxEntryBytes = 65536;

std::string programPath() {
    char buffer[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : "";
    // A package upgrade replaces the file under a running program; the new one is what to start.
    constexpr std::string_view deleted = " (deleted)";
    if (path.ends_with(deleted))
        path.resize(path.size() - deleted.size());
    return path;
}

std::string workingFolder() {
    char buffer[PATH_MAX] = {};
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

std::string configHome() {
    // Only an absolute XDG_CONFIG_HOME counts; the default is ~/.config.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

bool needsQuotes(const std::string& arg) {
    return arg.empty() || arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
}

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t\r") - first + 1));
}

// Makes the folder and any folder above it that is missing, private to the user as the base
// directory rules ask; errno tells why when it fails.
bool makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// A desktop file's string: its backslashes escaped.
std::string escaped(std::string_view text) {
    std::string value;
    for (const char c : text) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

} // namespace

std::string desktopExec(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args) {
        if (!line.empty())
            line += ' ';
        if (!needsQuotes(arg)) {
            line += arg;
            continue;
        }
        line += '"';
        for (const char c : arg) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                line += '\\';
            line += c;
        }
        line += '"';
    }
    // Percent signs doubled, or they are field codes; then the string's own escape, undone
    // before the quoting is read.
    std::string value;
    for (const char c : line) {
        if (c == '%')
            value += '%';
        value += c;
    }
    return escaped(value);
}

XdgAutostart::XdgAutostart() : XdgAutostart(configHome(), programPath(), workingFolder()) {}

XdgAutostart::XdgAutostart(std::string configHome, std::string program, std::string folder)
    : folder_(std::move(configHome) + "/autostart"), path_(folder_ + "/" + std::string(kFileName)),
      program_(program), exec_(desktopExec({program, "--tray", "--folder", folder})) {
    for (const std::string& name : {program, folder})
        if (name.empty() || name.find_first_of("\n\r") != std::string::npos)
            unusable_ = "the program's path or folder cannot be named in a desktop file";
}

AutostartEntry XdgAutostart::entry() {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 && errno == ENOENT)
        return AutostartEntry::None;
    // Something there that cannot be read is not ours, and ticking the box replaces it.
    const std::optional<std::string> text = readFile(path_, kMaxEntryBytes);
    if (!text)
        return AutostartEntry::Another;
    // The keys of the main group: the program it runs, and whether the player turned it off
    // (Hidden, or GNOME's own switch).
    bool inMainGroup = false, ours = false, off = false;
    std::size_t from = 0;
    while (from < text->size()) {
        std::size_t end = text->find('\n', from);
        if (end == std::string::npos)
            end = text->size();
        const std::string line = trimmed(std::string_view(*text).substr(from, end - from));
        from = end + 1;
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string::npos)
            continue;
        const std::string key = trimmed(std::string_view(line).substr(0, equals));
        const std::string value = trimmed(std::string_view(line).substr(equals + 1));
        if (key == "Exec")
            ours = value == exec_;
        else if ((key == "Hidden" && value == "true") ||
                 (key == "X-GNOME-Autostart-enabled" && value == "false"))
            off = true;
    }
    return ours && !off ? AutostartEntry::Ours : AutostartEntry::Another;
}

AutostartResult XdgAutostart::write() {
    if (!unusable_.empty())
        return {false, unusable_};
    if (!makeFolders(folder_))
        return {false, std::string(std::strerror(errno)) + " (" + folder_ + ")"};
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Brontek Tarnlow\n"
                             "Comment=Starts Brontek Tarnlow into the tray at login\n"
                             "Exec=" +
                             exec_ +
                             "\n"
                             // A program since removed (an uninstalled package) is passed over.
                             "TryExec=" +
                             escaped(program_) +
                             "\n"
                             "Icon=brontek-tarnlow\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n";
    const FileWriteResult result = replaceFile(path_, text);
    if (!result.ok)
        return {false, result.error + " (" + folder_ + ")"};
    return {};
}

AutostartResult XdgAutostart::remove() {
    if (::unlink(path_.c_str()) != 0 && errno != ENOENT)
        return {false, std::string(std::strerror(errno)) + " (" + folder_ + ")"};
    return {};
}

} // namespace bt::posix

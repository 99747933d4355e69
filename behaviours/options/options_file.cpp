#include "behaviours/options/options_file.h"

#include "base/system/file_functions.h"
#include "base/system/files.h"
#include "base/system/notices.h"
#include "base/text_lines.h"

#include <algorithm>

namespace bt {

namespace {

constexpr const char* kFileName = "options";
constexpr std::string_view kOnlyInGame = "only-in-game";
constexpr std::string_view kGameProgram = "game-program";
constexpr std::string_view kTrayNoticeShown = "tray-notice-shown";
// Far more than any player lists; a file of thousands of names is damaged, not a list.
constexpr std::size_t kMaxLines = 64;
constexpr std::size_t kMaxNameLength = 260;

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Text a player could have written: no control characters (a binary file's bytes).
bool printable(std::string_view s) {
    return std::none_of(s.begin(), s.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

void addProgram(std::vector<std::string>& programs, std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || programs.size() >= kMaxLines)
        return;
    if (std::none_of(programs.begin(), programs.end(),
                     [&](const std::string& p) { return equalsIgnoringCase(p, name); }))
        programs.emplace_back(name);
}

void readLine(Options& options, std::string_view line) {
    line = trimmed(line);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos || !printable(line))
        return;
    const std::string_view name = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    const bool yesOrNo = equalsIgnoringCase(value, "yes") || equalsIgnoringCase(value, "no");
    if (name == kOnlyInGame) {
        if (yesOrNo)
            options.onlyInGame = equalsIgnoringCase(value, "yes");
    } else if (name == kTrayNoticeShown) {
        if (yesOrNo)
            options.trayNoticeShown = equalsIgnoringCase(value, "yes");
    } else if (name == kGameProgram) {
        addProgram(options.gamePrograms, value);
    } else if (!name.empty() && options.otherLines.size() < kMaxLines) {
        options.otherLines.push_back(std::string(name) + " = " + std::string(value));
    }
}

} // namespace

Options parseOptions(std::string_view text) {
    Options options;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        readLine(options, text.substr(0, lf));
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return options;
}

std::string formatOptions(const Options& options) {
    std::string text = std::string(kOnlyInGame) + " = " + (options.onlyInGame ? "yes" : "no");
    text += "\r\n";
    for (const std::string& program : options.gamePrograms)
        text += std::string(kGameProgram) + " = " + program + "\r\n";
    if (options.trayNoticeShown)
        text += std::string(kTrayNoticeShown) + " = yes\r\n";
    for (const std::string& line : options.otherLines)
        text += line + "\r\n";
    return text;
}

Options OptionsFile::load() {
    const auto text = readSmallFile(files_, kFileName, kMaxOptionsFileBytes);
    return text ? parseOptions(*text) : Options{};
}

void OptionsFile::save(const Options& options) {
    if (files_.replaceFile(kFileName, formatOptions(options)).ok || toldFailure_)
        return;
    toldFailure_ = true;
    notices_.notify(Notice::OptionsNotSaved);
}

} // namespace bt

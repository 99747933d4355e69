// The small text pieces: numbers as typed, lines and tokens, server bodies, links, the feed format
// and its checker, which agrees with the news window on every line.

#include "app/command_line.h"
#include "base/body_text.h"
#include "base/link_policy.h"
#include "base/numbers.h"
#include "base/text_lines.h"
#include "behaviours/news/feed_check.h"
#include "behaviours/news/feed_format.h"
#include "main_window_fixture.h"
#include "window_takes.h"

#include <gtest/gtest.h>

#include <map>

namespace bt {
namespace {

using Lines = std::vector<std::string>;

TEST(NumbersTest, TypedNumbersWithTheUsersSeparatorAndHalvesToEven) {
    EXPECT_EQ(parseNumber(" +.5 ", '.'), 0.5);
    EXPECT_EQ(parseNumber("-5", '.'), -5.0);
    for (const char* bad : {"", " ", "12a", "1.2.3", "-", ".", "1e3", "0x10", "--1"})
        EXPECT_FALSE(parseNumber(bad, '.')) << bad;
    EXPECT_EQ(parseNumber(std::string(63, '0') + "7", '.'), 7.0); // 64 characters: the most read
    EXPECT_FALSE(parseNumber(std::string(65, '1'), '.'));
    EXPECT_EQ(roundHalfEven32(-1.5), -2);
    EXPECT_FALSE(roundHalfEven32(3e9));
    EXPECT_EQ(parseInt16(" -32768"), -32768);
    EXPECT_FALSE(parseInt16("32768"));
}

TEST(FeedTest, TokensAndCrLfEndLinesAndOnlyTheNewsTextIsSubstituted) {
    EXPECT_EQ(replaceAll("aaaa", "aa", "b"), "bb") << "resumes after each one replaced";
    EXPECT_TRUE(equalsIgnoringCase("AZaz", "azAZ") && !equalsIgnoringCase("a", "ab"));
    EXPECT_EQ(feed::split(feed::normalise("one<br>two\r\nthree<br>", "<br>")),
              (Lines{"one", "two", "three", ""}));
    EXPECT_EQ(feed::split(feed::normalise("a<BR>b<br><br>c", "<br>")), (Lines{"a<BR>b", "", "c"}));
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += std::to_string(i) + "|";
    const Lines lines = feed::split(feed::normalise(body, "|"));
    ASSERT_EQ(lines.size(), feed::kLineCount);
    EXPECT_EQ(lines.back(), "133");
    EXPECT_EQ(feed::substituteNewsText("one%br%two%tab%three%BR%"), "one\r\ntwo        three%BR%");
    for (const auto& [text, value] :
         {std::pair{"fALSE", false}, {"True", true}, {"-1", true}, {"0", false}})
        EXPECT_EQ(feed::boolean(text), value) << text;
}

TEST(BodyTextTest, Utf8StaysAndAnythingElseIsWindows1252) {
    EXPECT_EQ(bodyToText("caf\xc3\xa9 \xf0\x9f\x98\x80"), "caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_EQ(bodyToText("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(bodyToText("\x80 \x93q\x94"), "\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d");
    EXPECT_EQ(bodyToText("\x81"), "\xef\xbf\xbd") << "an unassigned byte";
    for (const char* bad :
         {"\x80", "\xc0\xaf", "\xc3\x28", "\xe0\x80\xaf", "\xed\xa0\x80", "\xed\xbf\xbf",
          "\xe2\x82", "\xf0\x80\x80\xaf", "\xf4\x90\x80\x80", "\xff"})
        EXPECT_FALSE(isValidUtf8(bad)) << ::testing::PrintToString(std::string(bad));
    EXPECT_FALSE(isValidUtf8(std::string_view("\xe2\x82\xac", 2)))
        << "cut off at the end of the text, whatever lies after it";
}

TEST(LinkPolicyTest, OnlyWebAddressesOpen) {
    // A space inside, as a feed's author may have written it, is left for the browser to mend.
    for (const char* good :
         {"http://a", "https://a", "https://x.org/a?b=c", "HtTpS://x.org/", "http://x.org/a b"})
        EXPECT_TRUE(isWebLink(good)) << good;
    for (const char* bad : {"", "file:///etc/passwd", "C:\\Windows\\system32\\calc.exe",
                            "javascript:alert(1)", "ftp://x.org/", "http://", " https://x.org",
                            "http:/x.org", "https://x.org/\r\ncalc", "https://x.org/\x7f"})
        EXPECT_FALSE(isWebLink(bad)) << ::testing::PrintToString(std::string(bad));
}

TEST(CommandLineTest, OptionsAndServersAndAOneLineErrorForAnythingElse) {
    using A = CommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        A action;
        const char* host; // of the server URL for this run
        bool usageHint = false;
    };
    for (const Case& c :
         std::vector<Case>{{{}, A::Run, "built.in"},
                           {{"--version"}, A::Version, "built.in"},
                           {{"--version", "-h"}, A::Help, "built.in"},
                           {{"--help", "--version"}, A::Help, "built.in"},
                           {{"--server", "news.example.org"}, A::Run, "news.example.org"},
                           {{"--server=192.0.2.7:8080"}, A::Run, "192.0.2.7:8080"},
                           {{"--server", "a b"}, A::Error, "built.in"},
                           {{"--server"}, A::Error, "built.in"},
                           {{"--sever", "x"}, A::Error, "built.in", true},
                           {{"binds"}, A::Error, "built.in", true}}) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args[0]);
        const CommandLine line = parseCommandLine(c.args, "built.in");
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.serverUrl, serverBaseUrl(c.host));
        EXPECT_EQ(line.usageHint, c.usageHint);
        EXPECT_EQ(line.error.empty(), c.action != A::Error);
    }
    // A build that names no server asks none, unless the command line names one.
    EXPECT_EQ(parseCommandLine({}, "").serverUrl, std::nullopt);
    EXPECT_EQ(parseCommandLine({"--server=h:1"}, "").serverUrl, serverBaseUrl("h:1"));
    EXPECT_EQ(parseCommandLine({"--no-server"}, "built.in").serverUrl, std::nullopt);
    // Started with the desktop: into the tray, with the folder of the player's files.
    const CommandLine login =
        parseCommandLine({"--tray", "--folder", "C:\\Games\\Brontek Tarnlow"}, "built.in");
    EXPECT_EQ(std::tuple(login.action, login.intoTray, login.folder),
              std::tuple(A::Run, true, std::string("C:\\Games\\Brontek Tarnlow")));
    EXPECT_EQ(parseCommandLine({"--folder=/home/p/bt"}, "built.in").folder, "/home/p/bt");
    for (const auto& noFolder : std::vector<std::vector<std::string>>{{"--folder"}, {"--folder="}})
        EXPECT_EQ(parseCommandLine(noFolder, "built.in").error,
                  "brontek-tarnlow: --folder needs a value: the folder that holds \"binds\"");
    for (const char* good : {"a", "A-z.Z09.org", "h:1", "h:65535", "[::1]", "[db8::aF:f]:80"})
        EXPECT_TRUE(isServerHost(good)) << good;
    for (const char* bad : {"", ":80", "h:0", "h:65536", "h:", "h:8a", "-a.org", "a-.org", "a..org",
                            "a_b", "h/path", "u@h", "[::1", "[::g]", "[]:80", "[12]", "a."})
        EXPECT_FALSE(isServerHost(bad)) << bad;
    EXPECT_FALSE(isServerHost(std::string(64, 'a') + ".org"));
}

using Changes = std::map<std::size_t, std::string>;

TEST(FeedCheckTest, TheSamplePassesAndControlsOutsideTheWindowAreFlaggedAtTheirLeft) {
    const std::string token = test::sampleFile("br.html");
    EXPECT_TRUE(checkFeed(test::sampleFile("data.html"), token).empty());
    // The check box and link 1 just inside, and out; a hidden page area may lie anywhere.
    // clang-format off
    const std::vector<std::pair<Changes, std::vector<std::size_t>>> cases = {
        {{{10, "8000"}}, {10}}, {{{1, "7785"}, {10, "0"}}, {}}, {{{1, "0"}, {2, "0"}}, {}},
        {{{2, "-1"}}, {1}}, {{{2, "9000"}}, {1}}, {{{69, "9000"}}, {5}}, {{{131, "4666"}}, {130}},
        {{{3, "False"}, {69, "9000"}}, {}}, {{{131, "4665"}}, {}}, {{{18, "6240"}}, {}},
        {{{18, "6241"}}, {18}}, {{{71, "-5400"}, {10, "8000"}}, {71}}};
    // clang-format on
    for (const auto& [changes, flagged] : cases) {
        std::vector<std::size_t> found;
        for (const auto& problem : checkFeed(test::sampleFeed(changes), token))
            found.push_back(problem.line);
        EXPECT_EQ(found, flagged) << changes.begin()->first;
    }
    const auto problems = checkFeed("Caption|100|200", "|");
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, 3u);
    EXPECT_NE(problems[0].message.find("missing"), std::string::npos);
}

// Every line with values on each side of each limit of its kind: the checker flags the line
// exactly when the window does not take the value. The window's height does not read, so no
// control's place is judged.
TEST(FeedCheckTest, ALineIsFlaggedExactlyWhenTheWindowDoesNotTakeItsValue) {
    using K = feed::Kind;
    // clang-format off
    const std::map<K, std::vector<std::pair<const char*, bool>>> values = {
        {K::Place, {{"-1000000", true}, {"-1000000.5", false}, {"1000000", true},
                    {"1000000.5", false}, {"top", false}}},
        {K::Size, {{"0", true}, {"-0.5", false}, {"1000000", true}, {"1000000.5", false}}},
        {K::FontSize, {{"0.01", true}, {"0", false}, {"1000", true}, {"1000.01", false}}},
        {K::Boolean, {{"fALSE", true}, {"-1", true}, {"maybe", false}}},
        {K::WebLink, {{"HTTPS://x.org/a b", true}, {"file:///etc", false}, {"", false}}},
        {K::Text, {{"", true}, {"%br%", true}}}};
    // clang-format on
    const std::string token = test::sampleFile("br.html");
    for (std::size_t n = 0; n < feed::kLineCount; ++n)
        for (const auto& [value, taken] : values.at(feed::lineTable()[n].kind)) {
            Changes changes = {{feed::kWindowHeight, "tall"}};
            changes[n] = value;
            const std::string body = test::sampleFeed(changes),
                              at = std::to_string(n) + ": " + value;
            auto lines = feed::split(feed::normalise(body, token));
            EXPECT_EQ(windowTakes(lines, n, readNewsLayout(lines)), taken) << at;
            const auto problems = checkFeed(body, token);
            EXPECT_EQ(std::any_of(problems.begin(), problems.end(),
                                  [n](const FeedProblem& p) { return p.line == n; }),
                      !taken)
                << at;
        }
}

} // namespace
} // namespace bt

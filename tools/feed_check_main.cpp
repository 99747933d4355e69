// feed-check FEED [TOKEN]: reports what the news window would not lay out or open as intended.
// TOKEN is the file holding the break token (br.html beside the feed by default).

#include "behaviours/news/feed_check.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

bool slurp(const std::filesystem::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: feed-check FEED [TOKEN-FILE]\n";
        return 2;
    }
    const std::filesystem::path feed = argv[1];
    const std::filesystem::path token =
        argc == 3 ? std::filesystem::path(argv[2]) : feed.parent_path() / "br.html";
    std::string body, separator;
    if (!slurp(feed, body)) {
        std::cerr << "feed-check: cannot read " << feed << "\n";
        return 2;
    }
    if (!slurp(token, separator)) {
        std::cerr << "feed-check: cannot read the break token " << token << "\n";
        return 2;
    }
    const auto problems = bt::checkFeed(body, separator);
    for (const auto& p : problems)
        std::cout << feed.string() << ": line " << p.line << ": " << p.message << "\n";
    if (problems.empty())
        std::cout << feed.string() << ": OK, 134 lines\n";
    return problems.empty() ? 0 : 1;
}

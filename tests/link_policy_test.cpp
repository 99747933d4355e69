#include "net/link_policy.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

TEST(LinkPolicyTest, OnlyWebAddressesOpen) {
    for (const char* ok :
         {"http://example.org/", "https://example.org/a?b=c", "HTTP://X.ORG", "HtTpS://x.org/"})
        EXPECT_TRUE(isWebLink(ok)) << ok;
    for (const char* bad :
         {"", "file:///etc/passwd", "C:\\Windows\\system32\\calc.exe", "calc.exe",
          "javascript:alert(1)", "ftp://x.org/", "mailto:a@b.c", "http://", " https://x.org",
          "httpx://x.org", "smb://host/share", "http:/x.org", "https://x.org/\r\ncalc"})
        EXPECT_FALSE(isWebLink(bad)) << bad;
}

} // namespace
} // namespace bt

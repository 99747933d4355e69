#include "platform/fake/fake_platform.h"
#include "ui/controls/inet.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

TEST(InetTest, OneTransferAtATimeAndItsResultArrivesLater) {
    FakePlatform p;
    Inet inet(p);
    int results = 0;
    EXPECT_TRUE(inet.openUrl("http://127.0.0.1/a", [&](const HttpResult& r) {
        ++results;
        EXPECT_EQ(r.body, "hello");
    }));
    EXPECT_TRUE(inet.stillExecuting());
    EXPECT_FALSE(inet.openUrl("http://127.0.0.1/b", nullptr)) << "a tick finding one running";
    EXPECT_EQ(p.requests.size(), 1u);
    EXPECT_EQ(results, 0);
    p.respondTo("http://127.0.0.1/a", HttpResult{0, 200, "hello", {}});
    EXPECT_EQ(results, 1);
    EXPECT_FALSE(inet.stillExecuting());
    EXPECT_EQ(inet.responseCode(), 0);
}

TEST(InetTest, ACancelledTransferNeverDelivers) {
    FakePlatform p;
    Inet inet(p);
    int results = 0;
    inet.openUrl("http://127.0.0.1/a", [&](const HttpResult&) { ++results; });
    const auto id = p.requests.back().id;
    inet.cancel();
    EXPECT_FALSE(inet.stillExecuting());
    EXPECT_FALSE(p.respond(id, HttpResult{}));
    EXPECT_EQ(results, 0);
}

TEST(InetTest, AFailedTransferKeepsItsCode) {
    FakePlatform p;
    Inet inet(p);
    inet.openUrl("http://127.0.0.1/a", nullptr);
    p.respondTo("http://127.0.0.1/a", HttpResult{404, 404, "", "Not Found"});
    EXPECT_EQ(inet.responseCode(), 404);
}

} // namespace
} // namespace bt

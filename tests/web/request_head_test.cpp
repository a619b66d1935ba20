// The strict check of a request's head, and the names a dashboard without a
// password answers to.
#include "web/request_head.h"

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

constexpr const char* kGet = "GET /api/days HTTP/1.1\r\nHost: 127.0.0.1\r\n";

struct HeadCase {
  std::string head;
  HeadVerdict verdict;
  bool closeAfter = false;
};

class HeadTable : public ::testing::TestWithParam<HeadCase> {};

TEST_P(HeadTable, OnlyAPlainBodilessRequestPasses) {
  const HeadCase& c = GetParam();
  const bool good = c.verdict == HeadVerdict::Good;
  const HeadCheck check = checkRequestHead(good ? c.head + "GET /next" : c.head);
  EXPECT_EQ(check.verdict, c.verdict) << check.problem;
  if (!good) return;
  EXPECT_EQ(check.length, c.head.size());
  EXPECT_EQ(check.closeAfter, c.closeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, HeadTable,
    ::testing::Values(
        HeadCase{std::string(kGet) + "\r\n", HeadVerdict::Good},
        HeadCase{std::string(kGet) + "Content-Length: 0\r\nAccept:*/*  \r\n\r\n",
                 HeadVerdict::Good},
        HeadCase{std::string(kGet) + "Connection: keep-alive, Close\r\n\r\n", HeadVerdict::Good,
                 true},
        HeadCase{"GET / HTTP/1.0\r\nHost: x\r\n\r\n", HeadVerdict::Good, true},
        HeadCase{"GET / HTTP/1.0\r\nHost: x\r\nConnection: keep-alive\r\n\r\n", HeadVerdict::Good},
        HeadCase{"HEAD /?a=%20 HTTP/1.1\r\nhost: [::1]:80\r\n\r\n", HeadVerdict::Good},
        // Not yet whole: nothing wrong so far, a CR waiting for its LF.
        HeadCase{std::string(kGet) + "Accept: */*\r", HeadVerdict::Incomplete},
        HeadCase{"GET /api/da", HeadVerdict::Incomplete},
        HeadCase{std::string(kGet) + "Content-Length: 0\r\nContent-Length: 0\r\n\r\n",
                 HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Content-Length: 00\r\nTransfer-Encoding: x\r\n\r\n",
                 HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Content-Length: +0\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Content-Length: 1\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Accept\t: */*\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "\tcontinued\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Upgrade: h2c\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Expect: 100-continue\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "Host: 127.0.0.1\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + "X: a\rb\r\n\r\n", HeadVerdict::Bad},
        HeadCase{std::string(kGet) + std::string("X: a\0b\r\n\r\n", 10), HeadVerdict::Bad},
        HeadCase{"GET /api/days HTTP/1.1\r\nHost: a/b\r\n\r\n", HeadVerdict::Bad},
        HeadCase{"GET /api/days HTTP/1.1\r\n\r\n", HeadVerdict::Bad},
        HeadCase{"GET /api/days HTTP/2.0\r\nHost: x\r\n\r\n", HeadVerdict::Bad},
        HeadCase{"GET  /api/days HTTP/1.1\r\nHost: x\r\n\r\n", HeadVerdict::Bad},
        HeadCase{"GET http://x/ HTTP/1.1\r\nHost: x\r\n\r\n", HeadVerdict::Bad},
        HeadCase{"\r\nGET / HTTP/1.1\r\nHost: x\r\n\r\n", HeadVerdict::Bad},
        HeadCase{"G(T / HTTP/1.1\r\nHost: x\r\n\r\n", HeadVerdict::Bad}));

TEST(OwnHost, OnlyLoopbackNamesAndTheServedAddressWithAnyPort) {
  const struct {
    const char* host;
    const char* served;
    bool own;
  } cases[] = {
      {"127.0.0.1", "127.0.0.1", true},
      {"127.0.0.1:8470", "127.0.0.1", true},
      {"Localhost:1", "127.0.0.1", true},
      {"[::1]", "127.0.0.1", true},
      {"127.0.0.5:80", "127.0.0.5", true},
      {"[::1]:8470", "::1", true},
      {"127.0.0.5", "127.0.0.1", false},
      {"localhost.", "127.0.0.1", false},
      {"localhost:", "127.0.0.1", false},
      {"localhost:80:80", "127.0.0.1", false},
      {"::1", "::1", false},
      {"evil.example", "127.0.0.1", false},
      {"127.0.0.1.nip.io", "127.0.0.1", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isOwnHost(c.host, c.served), c.own) << c.host;
}

}  // namespace
}  // namespace tamsel::test

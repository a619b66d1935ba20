#include "web/web_settings.h"

#include <gtest/gtest.h>

#include "web/login_throttle.h"

namespace tamsel::test {
namespace {

struct SettingsCase {
  const char* address;
  const char* port;
  const char* password;
  const char* problem;  // empty when the settings can be used
};

void PrintTo(const SettingsCase& c, std::ostream* out) {
  *out << c.address << " port " << c.port << (*c.password ? " with password" : "");
}

class WebSettingsTable : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(WebSettingsTable, OtherMachinesAreServedOnlyBehindAPassword) {
  const SettingsCase& c = GetParam();
  WebConfig config;
  config.Address = c.address;
  config.Port = c.port;
  config.Password = c.password;
  const Result<WebSettings> settings = webSettings(config);
  if (*c.problem == '\0') {
    EXPECT_TRUE(settings) << settings.error();
  } else {
    ASSERT_FALSE(settings);
    EXPECT_NE(settings.error().find(c.problem), std::string::npos) << settings.error();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Configs, WebSettingsTable,
    ::testing::Values(SettingsCase{"127.0.0.1", "8470", "", ""},
                      SettingsCase{"127.1.2.3", "", "", ""}, SettingsCase{"::1", "80", "", ""},
                      SettingsCase{"localhost", "8470", "", ""},
                      SettingsCase{"0.0.0.0", "8470", "", "set a Password"},
                      SettingsCase{"::", "8470", "", "set a Password"},
                      SettingsCase{"::ffff:10.0.0.1", "8470", "", "set a Password"},
                      SettingsCase{"192.168.1.20", "8470", "", "set a Password"},
                      SettingsCase{"192.168.1.20", "8470", "s3cret", ""},
                      SettingsCase{"my.host", "8470", "s3cret", "is no IP address"},
                      SettingsCase{"127.0.0.1", "0", "", "Port is no number"},
                      SettingsCase{"127.0.0.1", "65536", "", "Port is no number"},
                      SettingsCase{"127.0.0.1", "80.5", "", "Port is no number"}));

TEST(WebConfigFile, WithoutKeysTheDashboardIsForThisMachineOnly) {
  const Result<WebSettings> settings = webSettings(readWebConfig(""));
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->address, "127.0.0.1");
  EXPECT_EQ(settings->port, 8470);
}

// "Basic " + base64("user:secret") and its near misses.
struct LoginCase {
  const char* header;
  bool accepted;
};

void PrintTo(const LoginCase& c, std::ostream* out) {
  *out << '"' << c.header << '"';
}

class LoginTable : public ::testing::TestWithParam<LoginCase> {};

TEST_P(LoginTable, OnlyThePasswordOpens) {
  EXPECT_EQ(LoginThrottle("secret").accepts(GetParam().header), GetParam().accepted)
      << GetParam().header;
}

INSTANTIATE_TEST_SUITE_P(Headers, LoginTable,
                         ::testing::Values(LoginCase{"Basic dXNlcjpzZWNyZXQ=", true},
                                           LoginCase{"basic OnNlY3JldA==", true},  // ":secret"
                                           LoginCase{"Basic dXNlcjpzZWNyZXQx", false},
                                           LoginCase{"Basic dXNlcjpzZWNyZQ==", false},
                                           LoginCase{"Basic c2VjcmV0", false},  // no ":"
                                           LoginCase{"Basic dXNlcjpzZWNy*XQ=", false},
                                           LoginCase{"Bearer dXNlcjpzZWNyZXQ=", false},
                                           LoginCase{"", false}));

TEST(LoginThrottle, EachFailureWaitsLongerUpToACapUntilASuccess) {
  LoginThrottle login("secret");
  int delays[7];
  std::int64_t now = 1000;  // each attempt made when the one before was answered
  for (int& delay : delays) now += delay = login.failed("10.0.0.1", now);
  EXPECT_EQ(std::vector<int>(delays, delays + 7),
            std::vector<int>({250, 500, 1000, 2000, 4000, 8000, 8000}));
  EXPECT_EQ(login.failed("10.0.0.2", 1000), 250) << "per address";
  login.succeeded("10.0.0.1");
  EXPECT_EQ(login.failed("10.0.0.1", now), 250);
  EXPECT_EQ(login.failed("10.0.0.2", 1000 + LoginThrottle::kForgetMs + 1), 250) << "forgotten";
}

TEST(LoginThrottle, AttemptsSideBySideAreAnsweredOneAfterTheOtherAndHoldEveryAnswer) {
  LoginThrottle login("secret");
  EXPECT_EQ(login.holdMs("10.0.0.1", 1000), 0);
  EXPECT_EQ(login.failed("10.0.0.1", 1000), 250);
  EXPECT_EQ(login.failed("10.0.0.1", 1000), 750);
  EXPECT_EQ(login.holdMs("10.0.0.1", 1100), 650) << "a right answer waits too";
  EXPECT_EQ(login.holdMs("10.0.0.2", 1100), 0) << "per address";
  for (int i = 0; i < 20; ++i) login.failed("10.0.0.1", 1000);
  EXPECT_EQ(login.holdMs("10.0.0.1", 1000), LoginThrottle::kLongestHoldMs);
}

}  // namespace
}  // namespace tamsel::test

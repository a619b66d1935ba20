#include "config/tsdb_config.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tamsel {
namespace {

TEST(TsdbConfigTest, DefaultsFillWhatIsMissingAndEachBadValueIsNamed) {
  const TsdbConfig text = readTsdbConfig(
      "TSDB Config File\r\n\r\n<Enabled>1</Enabled>\r\n<URL> http://vm:8428/write </URL>\r\n");
  EXPECT_TRUE(isTsdbEnabled(text));
  const Result<TsdbSettings> settings = tsdbSettings(text, "shed.lan");
  ASSERT_TRUE(settings) << settings.error();
  EXPECT_EQ(settings->url, "http://vm:8428/write");
  EXPECT_EQ(settings->site, "shed.lan");
  EXPECT_FALSE(settings->history);

  test::TempFolder folder;
  folder.write("ca.pem", "-----BEGIN CERTIFICATE-----\n");
  struct Case {
    std::string TsdbConfig::*field;
    std::string value;
    std::string error;  // "" when usable
  } cases[] = {
      {&TsdbConfig::URL, "https://db/api/v2/write?org=o&bucket=b", ""},
      {&TsdbConfig::URL, "", "tsdb.cfg: URL is empty"},
      {&TsdbConfig::URL, "vm:8428/write", "tsdb.cfg: URL does not begin with http:// or https://"},
      {&TsdbConfig::URL, "http://:8428/write", "tsdb.cfg: URL names no host"},
      {&TsdbConfig::URL, "http://vm/write\r\nX: 1",
       "tsdb.cfg: URL holds a space or a control character"},
      {&TsdbConfig::Token, "abc\r\nHost: evil", "tsdb.cfg: Token holds a control character"},
      {&TsdbConfig::Username, "a:b", "tsdb.cfg: Username holds a control character or \":\""},
      {&TsdbConfig::Password, "secret", "tsdb.cfg: Password is given without a Username"},
      {&TsdbConfig::History, "1", ""},
      {&TsdbConfig::History, "yes", "tsdb.cfg: History is neither 0 nor 1"},
      {&TsdbConfig::History, "2", "tsdb.cfg: History is neither 0 nor 1"},
      {&TsdbConfig::Site, "north\tmast", "tsdb.cfg: Site holds a control character"},
      {&TsdbConfig::CAFile, folder.file("ca.pem"), ""},
      {&TsdbConfig::CAFile, folder.file("none.pem"),
       "tsdb.cfg: CAFile cannot be read: No such file or directory"},
  };
  for (const Case& c : cases) {
    TsdbConfig config = text;
    config.*c.field = c.value;
    const Result<TsdbSettings> result = tsdbSettings(config, "shed");
    EXPECT_EQ(result ? "" : result.error(), c.error) << c.value;
  }
  TsdbConfig both = text;
  both.Token = "t";
  both.Username = "u";
  EXPECT_EQ(tsdbSettings(both, "shed").error(),
            "tsdb.cfg: Token and Username are both given; use one of them");
  EXPECT_FALSE(isTsdbEnabled(readTsdbConfig("<Enabled>0</Enabled><URL>http://vm/</URL>")));
}

}  // namespace
}  // namespace tamsel

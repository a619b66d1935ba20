#include "config/web_config.h"

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

TEST(WebConfigFile, WithoutKeysTheDashboardIsOnAndWhatIsWrittenReadsBack) {
  EXPECT_TRUE(isWebEnabled(readWebConfig("")));
  EXPECT_EQ(readWebConfig("").Address, "127.0.0.1");
  EXPECT_FALSE(isWebEnabled(readWebConfig("<Enabled>0</Enabled>")));
  WebConfig written;
  written.Password = "pw";
  EXPECT_EQ(readWebConfig(webConfigText(written)).Password, "pw");
}

}  // namespace
}  // namespace tamsel::test

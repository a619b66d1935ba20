#include "logging/log_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace tamsel {
namespace {

const LocalDateTime kAt{2010, 5, 23, 14, 5, 33};
const AveragedValues kValues{"12.53", "3.2", "41", "350", 12};

class LogFilesTest : public ::testing::Test {
 protected:
  LogFilesTest() : files(folder.path()) { files.makeFolders(); }
  test::TempFolder folder;
  LogFiles files;
};

TEST(LogFiles, AMissingOrUnusableLogsFolderFailsWithoutACrash) {
  test::TempFolder folder;
  LogFiles files(folder.path());
  EXPECT_FALSE(files.appendRecord(kAt, kValues, 0));
  EXPECT_FALSE(files.appendWattHoursLine("x"));
  EXPECT_EQ(files.recountDay(kAt, 60).error(),
            "logs/P_2010_05_23.txt cannot be read: No such file or directory");
  folder.write("logs", "a file where the folder should be");
  EXPECT_FALSE(files.appendRecord(kAt, kValues, 0));
  EXPECT_FALSE(files.appendSpreadsheetRow(kAt, kValues, "mph"));
  EXPECT_FALSE(files.writeHtml(kAt, kValues, 0, "mph"));
}

// Placeholders are replaced every time they occur, in their order: removing
// the mode completes a time placeholder after the time was replaced, so it
// stays; a volts value never holds "<II>". All else is copied.
TEST_F(LogFilesTest, HtmlStepAppendsHistoryAndRewritesThePage) {
  folder.write("html/template.asp",
               "<VV>|<VV>|<II>|<WW>|<WH>|<RR>|<SS>|<TT>|<MM>|<vv>|<T<MM>T><<VV>II>\xff");
  folder.write("html/log.asp", "old page, much longer than the new one");
  ASSERT_TRUE(files.writeHtml(kAt, kValues, 1.5, "mph"));
  ASSERT_TRUE(files.writeHtml(kAt, kValues, 2.25, "mph"));
  EXPECT_EQ(folder.read("html/log.asp"),
            "12.53|12.53|3.2|41|2.25|350|12|14:05:33||<vv>|<TT><12.53II>\xff\r\n");
  const std::string line = "12.53V\t\t3.2A\t\t41W\t\t350RPM\t\t12mph\t\t\t\t14:05:33\r\n";
  EXPECT_EQ(folder.read("html/history23_05_2010.txt"), line + line);
}

TEST_F(LogFilesTest, AMissingTemplateFailsAfterTheHistoryLineAndKeepsThePage) {
  folder.write("html/log.asp", "previous page\r\n");
  EXPECT_FALSE(files.writeHtml(kAt, kValues, 1.5, "mph"));
  EXPECT_EQ(folder.read("html/log.asp"), "previous page\r\n");
  EXPECT_EQ(folder.read("html/history23_05_2010.txt"),
            "12.53V\t\t3.2A\t\t41W\t\t350RPM\t\t12mph\t\t\t\t14:05:33\r\n");
}

TEST_F(LogFilesTest, SpreadsheetGetsItsHeaderOnceAndAgainAfterDeletion) {
  const std::string header =
      "<html><body><table><tr><td><b>Volts</b></td><td><b>Amps</b></td><td><b>Watts</b></td>"
      "<td><b>RPM</b></td><td><b>mph</b></td><td><b>Mode</b></td><td><b>Time</b></td></tr>"
      "\r\n\r\n";
  const std::string row =
      "<tr><td>12.53</td><td>3.2</td><td>41</td><td>350</td><td>12</td><td></td>"
      "<td>14:05:33</td></tr>\r\n\r\n";
  ASSERT_TRUE(files.appendSpreadsheetRow(kAt, kValues, "mph"));
  ASSERT_TRUE(files.appendSpreadsheetRow(kAt, kValues, "mph"));
  EXPECT_EQ(folder.read("excel/2010_05_23.xls"), header + row + row);
  std::filesystem::remove(folder.file("excel/2010_05_23.xls"));
  ASSERT_TRUE(files.appendSpreadsheetRow(kAt, kValues, "mph"));
  EXPECT_EQ(folder.read("excel/2010_05_23.xls"), header + row);
}

}  // namespace
}  // namespace tamsel

#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::TempFolder;

TEST(TextFile, AppendedLinesNeverGlueOntoATornLine) {
  for (auto append : {&appendDurableLine, &appendWholeLine}) {
    TempFolder folder;
    const std::string path = folder.file("day.txt");
    ASSERT_TRUE(append(path, "first"));
    folder.write("day.txt", folder.read("day.txt") + "<T>10:02</T><V>12.5");  // power cut
    ASSERT_TRUE(append(path, "second"));
    ASSERT_TRUE(append(path, "third"));
    EXPECT_EQ(folder.read("day.txt"), "first\r\n<T>10:02</T><V>12.5\r\nsecond\r\nthird\r\n");
  }
}

TEST(TextFile, PlainAppendsAddExactlyWhatTheyAreGiven) {
  TempFolder folder;
  const std::string path = folder.file("log.txt");
  ASSERT_TRUE(appendLine(path, "a"));
  ASSERT_TRUE(appendText(path, "b"));
  ASSERT_TRUE(appendLine(path, "c"));
  ASSERT_TRUE(touchFile(path));
  EXPECT_EQ(folder.read("log.txt"), "a\r\nbc\r\n");
}

TEST(TextFile, ReplaceSwapsTheWholeFileAndLeavesNoTemporary) {
  TempFolder folder;
  const std::string path = folder.file("prog.cfg");
  folder.write("prog.cfg", "old content that is longer");
  const std::string bytes("new\0\xff\r\n", 7);
  ASSERT_TRUE(replaceFile(path, bytes));
  EXPECT_EQ(folder.read("prog.cfg"), bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(TextFile, FailuresCarryTheSystemsReason) {
  TempFolder folder;
  const std::string missing = folder.file("no/such/folder/file.txt");
  for (Status status : {appendLine(missing, "x"), appendDurableLine(missing, "x"),
                        replaceFile(missing, "x"), touchFile(missing)}) {
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.error.empty());
  }
  const Result<std::string> read = readWholeFile(missing);
  EXPECT_FALSE(read);
  EXPECT_FALSE(read.error().empty());
  EXPECT_FALSE(fileExists(missing));
  EXPECT_FALSE(fileExists(folder.path()));  // a folder is not a file
  EXPECT_TRUE(makeFolder(folder.file("logs")));
  EXPECT_FALSE(makeFolder(folder.file("logs")));  // already there
}

}  // namespace
}  // namespace tamsel

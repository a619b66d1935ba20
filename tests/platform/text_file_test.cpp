#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/temp_folder.h"

namespace tamsel {
namespace {

using test::TempFolder;

// Makes every write past `bytes` of a file fail as a full disk does: the
// write that crosses the limit comes up short, the next one fails. Root is
// not needed; the old limit comes back at the end of the scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

// A line appended is whole, or absent when the disk fills up part way or is full.
TEST(Append, IsWholeOrAbsent) {
  enum class Disk { Room, FullPartWay, Full };
  const std::string kLine = "<T>10:03</T><V>12.50</V>\r\n";
  const std::string kWhole = "<T>10:02</T><W>4.0</W>   .0Wh\r\n";
  const std::string kTorn = "<T>10:02</T><W>4";  // a power cut
  const struct {
    std::string before;  // "<none>": no file
    Disk disk;
    std::string after;  // the whole file afterwards
  } cases[] = {
      {"<none>", Disk::Room, kLine},        {"", Disk::Room, kLine},
      {kWhole, Disk::Room, kWhole + kLine}, {kTorn, Disk::Room, kTorn + "\r\n" + kLine},
      {"", Disk::FullPartWay, ""},          {kWhole, Disk::FullPartWay, kWhole},
      {kTorn, Disk::FullPartWay, kTorn},    {"", Disk::Full, ""},
      {kWhole, Disk::Full, kWhole},         {kTorn, Disk::Full, kTorn},
  };
  for (const auto& c : cases) {
    for (Durability durability : {Durability::Plain, Durability::OnDisk}) {
      TempFolder folder;
      const std::string path = folder.file("day.txt");
      if (c.before != "<none>") folder.write("day.txt", c.before);
      const size_t size = c.before == "<none>" ? 0 : c.before.size();
      Status status;
      {
        const rlim_t room = c.disk == Disk::Room   ? RLIM_INFINITY
                            : c.disk == Disk::Full ? size
                                                   : size + 4;  // 4 of the bytes fit
        FileSizeLimit limit(room);
        status = appendLine(path, "<T>10:03</T><V>12.50</V>", durability);
      }
      EXPECT_EQ(static_cast<bool>(status), c.disk == Disk::Room) << c.before;
      EXPECT_EQ(status.error.empty(), c.disk == Disk::Room) << c.before;
      EXPECT_EQ(folder.read("day.txt"), c.after) << c.before << " " << static_cast<int>(c.disk);
    }
  }
}

// The page published through a symbolic link, its target with or without a
// second hard link: every name shows the new content, the link stays a link
// and the target keeps its permissions; nothing is left beside it.
TEST(Replace, NewContentKeepsLinksAndPermissions) {
  namespace fs = std::filesystem;
  for (bool hardLinked : {false, true}) {
    TempFolder folder;
    fs::create_directory(folder.file("www"));
    folder.write("www/published", "old content that is longer");
    if (hardLinked) fs::create_hard_link(folder.file("www/published"), folder.file("www/copy"));
    fs::create_symlink("www/published", folder.file("page"));
    ASSERT_EQ(::chmod(folder.file("www/published").c_str(), 0640), 0);
    const std::string bytes("new\0\xff\r\n", 7);

    ASSERT_TRUE(replaceFile(folder.file("page"), bytes));

    EXPECT_TRUE(fs::is_symlink(folder.file("page")));
    for (const char* name : {"page", "www/published", hardLinked ? "www/copy" : "page"})
      EXPECT_EQ(folder.read(name), bytes) << name << hardLinked;
    struct stat st {};
    ASSERT_EQ(::stat(folder.file("page").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << hardLinked;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
      EXPECT_EQ(entry.path().extension(), "") << entry.path();
  }
}

// A named pipe with no writer made the program wait in open() for ever, where
// no signal handler could end it; the alarm turns such a hang into a failure.
TEST(TextFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
  TempFolder folder;
  const std::string pipe = folder.file("P_2010_05_23.txt");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  const std::string subfolder = folder.file("logs");
  ASSERT_TRUE(makeFolder(subfolder));
  const struct {
    std::string path;
    const char* kind;
  } cases[] = {{pipe, "a named pipe"}, {subfolder, "a folder"}, {"/dev/null", "a device"}};
  ::alarm(20);
  for (const auto& c : cases) {
    const Result<std::string> read = readWholeFile(c.path);
    EXPECT_EQ(read.error(), std::string(c.kind) + ", not a regular file") << c.path;
    for (const Status& status : {appendLine(c.path, "x"), touchFile(c.path)}) {
      EXPECT_FALSE(status) << c.path;
      EXPECT_NE(status.error.find(c.kind), std::string::npos) << c.path << ": " << status.error;
    }
  }
  ::alarm(0);
}

}  // namespace
}  // namespace tamsel

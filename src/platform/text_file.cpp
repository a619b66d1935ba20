#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tamsel {
namespace {

std::string lastError() {
  return std::strerror(errno);
}

// Writes all of `data`, retrying short writes and interrupted calls.
bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now so a failing close (a full disk on some file systems) is seen.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

Status appendWith(const std::string& path, std::string_view head, std::string_view tail) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (!fd.valid()) return Status::failure(lastError());
  std::string data;
  data.reserve(head.size() + tail.size());
  data.append(head).append(tail);
  if (!writeAll(fd.get(), data)) return Status::failure(lastError());
  if (!fd.close()) return Status::failure(lastError());
  return {};
}

// Appends `line` + CR LF in one write, first ending a torn last line.
Status appendOnItsOwn(const std::string& path, std::string_view line, bool waitForDisk) {
  Fd fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (!fd.valid()) return Status::failure(lastError());
  std::string data;
  data.reserve(line.size() + 4);
  const off_t size = ::lseek(fd.get(), 0, SEEK_END);
  if (size > 0) {
    char last = '\n';
    if (::pread(fd.get(), &last, 1, size - 1) == 1 && last != '\n') data.append(kLineEnd);
  }
  data.append(line).append(kLineEnd);
  if (!writeAll(fd.get(), data)) return Status::failure(lastError());
  if (waitForDisk && ::fdatasync(fd.get()) != 0) return Status::failure(lastError());
  if (!fd.close()) return Status::failure(lastError());
  return {};
}

}  // namespace

Result<std::string> readWholeFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return Status::failure(lastError());
  std::string text;
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && st.st_size > 0) text.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::failure(lastError());
    }
    if (n == 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  return text;
}

Status appendLine(const std::string& path, std::string_view line) {
  return appendWith(path, line, kLineEnd);
}

Status appendText(const std::string& path, std::string_view text) {
  return appendWith(path, text, {});
}

Status appendDurableLine(const std::string& path, std::string_view line) {
  return appendOnItsOwn(path, line, true);
}

Status appendWholeLine(const std::string& path, std::string_view line) {
  return appendOnItsOwn(path, line, false);
}

Status replaceFile(const std::string& path, std::string_view content) {
  const std::string temporary = path + ".new";
  {
    Fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid()) return Status::failure(lastError());
    if (!writeAll(fd.get(), content) || ::fsync(fd.get()) != 0 || !fd.close()) {
      Status failed = Status::failure(lastError());
      ::unlink(temporary.c_str());
      return failed;
    }
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    Status failed = Status::failure(lastError());
    ::unlink(temporary.c_str());
    return failed;
  }
  return {};
}

Status touchFile(const std::string& path) {
  return appendText(path, {});
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0755) == 0;
}

}  // namespace tamsel

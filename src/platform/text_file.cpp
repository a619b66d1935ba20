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

// What a non-regular file is, for the message that refuses it.
std::string fileKind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
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

// The file `path` finally names: symbolic links followed, relative ones from
// their own folder, whether or not the last target exists yet.
Result<std::string> followLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    if (n <= 0) return Status::failure(n < 0 ? lastError() : std::strerror(ENOENT));
    if (static_cast<size_t>(n) == sizeof target)
      return Status::failure(std::strerror(ENAMETOOLONG));
    std::string next(target, static_cast<size_t>(n));
    if (next.front() != '/') {
      const size_t slash = path.rfind('/');
      if (slash != std::string::npos) next.insert(0, path, 0, slash + 1);
    }
    path = std::move(next);
  }
  return Status::failure(std::strerror(ELOOP));
}

// For a file other names share: they must see the new content, which only
// writing the one file in place can give. A reader may see it half written.
Status rewriteInPlace(const std::string& path, std::string_view content) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (!fd.valid()) return Status::failure(lastError());
  if (!writeAll(fd.get(), content) || ::fsync(fd.get()) != 0 || !fd.close()) {
    return Status::failure(lastError());
  }
  return {};
}

// Writes the temporary file that will replace `target`, with the mode and
// (where the system lets us) the owner of `old`.
Status writeReplacement(const std::string& temporary, std::string_view content,
                        const struct stat* old) {
  Fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!fd.valid()) return Status::failure(lastError());
  if (old) {
    if (::fchmod(fd.get(), old->st_mode & 07777) != 0) return Status::failure(lastError());
    // Only root may give a file away; anyone else keeps it as their own.
    [[maybe_unused]] const int owned = ::fchown(fd.get(), old->st_uid, old->st_gid);
  }
  if (!writeAll(fd.get(), content) || ::fsync(fd.get()) != 0 || !fd.close()) {
    return Status::failure(lastError());
  }
  return {};
}

// Opens a file the user or another program may have put in the folder.
// Opening never blocks (a named pipe with no writer would wait for ever), and
// only a regular file is accepted: reading a pipe or a device could hang, and
// appending to one would lose the line.
Status openRegular(Fd& fd) {
  if (!fd.valid()) {
    if (errno == EISDIR) return Status::failure(fileKind(S_IFDIR) + ", not a regular file");
    return Status::failure(lastError());
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Status::failure(lastError());
  if (!S_ISREG(st.st_mode)) return Status::failure(fileKind(st.st_mode) + ", not a regular file");
  // Regular files ignore O_NONBLOCK; cleared all the same so the reads and
  // writes that follow mean what they say.
  ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
  return {};
}

constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

}  // namespace

Result<std::string> readWholeFile(const std::string& path, std::uint64_t mostBytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | kOpenFlags));
  if (Status opened = openRegular(fd); !opened) return opened;
  const auto tooLarge = [mostBytes] {
    return Status::failure("larger than " + std::to_string(mostBytes >> 20) + " MiB");
  };
  std::string text;
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && st.st_size > 0) {
    if (static_cast<std::uint64_t>(st.st_size) > mostBytes) return tooLarge();
    text.reserve(static_cast<size_t>(st.st_size));
  }
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::failure(lastError());
    }
    if (n == 0) break;
    // A file that grows while it is read is held to the same bound.
    if (text.size() + static_cast<size_t>(n) > mostBytes) return tooLarge();
    text.append(buf, static_cast<size_t>(n));
  }
  return text;
}

Status appendLine(const std::string& path, std::string_view line, Durability durability) {
  Fd fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | kOpenFlags, 0644));
  if (Status opened = openRegular(fd); !opened) return opened;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Status::failure(lastError());
  const off_t before = st.st_size;
  std::string data;
  data.reserve(line.size() + 2 * kLineEnd.size());
  char last = '\n';
  if (before > 0 && ::pread(fd.get(), &last, 1, before - 1) == 1 && last != '\n') {
    data.append(kLineEnd);
  }
  data.append(line).append(kLineEnd);
  // One write: on a full disk it is the one that comes up short.
  if (!writeAll(fd.get(), data) ||
      (durability == Durability::OnDisk && ::fdatasync(fd.get()) != 0)) {
    Status failed = Status::failure(lastError());
    if (::ftruncate(fd.get(), before) != 0) {
      failed.error += "; the piece written could not be removed: " + lastError();
    }
    return failed;
  }
  if (!fd.close()) return Status::failure(lastError());
  return {};
}

Status replaceFile(const std::string& path, std::string_view content) {
  const Result<std::string> target = followLinks(path);
  if (!target) return target.status();
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (exists && old.st_nlink > 1) return rewriteInPlace(*target, content);
  const std::string temporary = *target + ".new";
  Status written = writeReplacement(temporary, content, exists ? &old : nullptr);
  if (written && ::rename(temporary.c_str(), target->c_str()) != 0) {
    written = Status::failure(lastError());
  }
  if (!written) ::unlink(temporary.c_str());
  return written;
}

Status touchFile(const std::string& path) {
  // Read and write: a named pipe opened so never waits for a reader.
  Fd fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | kOpenFlags, 0644));
  if (Status opened = openRegular(fd); !opened) return opened;
  if (!fd.close()) return Status::failure(lastError());
  return {};
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isMissing(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
}

bool othersCanRead(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

bool makeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0755) == 0;
}

}  // namespace tamsel

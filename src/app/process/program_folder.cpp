#include "app/process/program_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

namespace tamsel {
namespace {

// Installed programs live here; a root user could write there, but the
// program's files do not belong beside system programs.
bool isSystemFolder(const std::string& folder) {
  for (const char* prefix : {"/usr", "/bin", "/sbin", "/lib", "/opt"}) {
    const std::string p = prefix;
    if (folder == p || folder.starts_with(p + "/")) return true;
  }
  return false;
}

Result<std::string> makeUsable(const std::string& folder) {
  std::error_code error;
  const fs::path path = fs::absolute(folder, error).lexically_normal();
  if (error) return Status::failure(folder + ": " + error.message());
  std::string absolute = path.string();
  if (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  fs::create_directories(path, error);
  if (error) return Status::failure(absolute + ": " + error.message());
  if (!fs::is_directory(path)) return Status::failure(absolute + ": not a folder");
  if (!canWriteIn(absolute)) return Status::failure(absolute + ": cannot write in it");
  return absolute;
}

}  // namespace

bool canWriteIn(const std::string& folder) {
  const std::string probe = folder + "/.tamsel-write-test-" + std::to_string(::getpid());
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

Result<std::string> chooseProgramFolder(const FolderChoice& choice) {
  if (!choice.explicitFolder.empty()) return makeUsable(choice.explicitFolder);
  if (!choice.executableFolder.empty() && !isSystemFolder(choice.executableFolder) &&
      canWriteIn(choice.executableFolder)) {
    return choice.executableFolder;
  }
  std::string dataHome = choice.xdgDataHome;
  // A relative XDG_DATA_HOME is invalid and ignored.
  if (dataHome.empty() || dataHome.front() != '/') {
    if (choice.home.empty()) {
      return Status::failure("no home folder to keep the files in; choose one with --folder");
    }
    dataHome = choice.home + "/.local/share";
  }
  return makeUsable(dataHome + "/tamsel");
}

std::string executableFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.parent_path().string();
}

Result<FolderLock> FolderLock::acquire(const std::string& folder) {
  const std::string path = folder + "/tamsel.lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Status::failure(path + ": " + std::strerror(errno));
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    char holder[32] = {};
    const ssize_t n = ::pread(fd, holder, sizeof holder - 1, 0);
    ::close(fd);
    std::string message = "the program folder " + folder + " is in use by another Tamsel";
    if (n > 0)
      message += std::string(" (process ") + std::string(holder, strcspn(holder, "\n")) + ")";
    return Status::failure(message);
  }
  // The holder's process number, for the message a second program gives.
  const std::string pid = std::to_string(::getpid()) + "\n";
  const bool noted = ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) > 0;
  (void)noted;  // the lock holds without it; only that message would lack the number
  return FolderLock(fd);
}

void FolderLock::noteDashboard(const std::string& address) {
  const std::string text = std::to_string(::getpid()) + "\n" + address + "\n";
  const bool noted = ::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, text.data(), text.size(), 0) > 0;
  (void)noted;  // without it a second program only cannot offer the dashboard
}

std::string FolderLock::holderDashboard(const std::string& folder) {
  const std::string path = folder + "/tamsel.lock";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  char text[512] = {};
  const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  ::close(fd);
  if (n <= 0) return {};
  const std::string lines(text, static_cast<size_t>(n));
  const size_t start = lines.find('\n');
  if (start == std::string::npos) return {};
  const size_t end = lines.find('\n', start + 1);
  if (end == std::string::npos) return {};
  std::string address = lines.substr(start + 1, end - start - 1);
  // Only what this program writes there is offered to a browser.
  if (!address.starts_with("http://")) return {};
  for (const char c : address)
    if (c <= ' ' || c > '~') return {};
  return address;
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tamsel

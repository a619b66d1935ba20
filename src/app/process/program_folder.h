#pragma once
// Which folder holds the program's files, and keeping a second copy of the
// program off it.
#include <string>

#include "platform/status.h"

namespace tamsel {

struct FolderChoice {
  std::string explicitFolder;    // --folder; empty when not given
  std::string executableFolder;  // where the program file is
  std::string xdgDataHome;       // $XDG_DATA_HOME; empty when unset
  std::string home;              // $HOME
};

// --folder when given; else the executable's folder when it can be written
// and is not a system folder (portable use: everything beside the program);
// else $XDG_DATA_HOME/tamsel, by default ~/.local/share/tamsel (installed
// use). The chosen folder is created when missing and must take a new file.
Result<std::string> chooseProgramFolder(const FolderChoice& choice);

// Whether a file can be made in `folder` (tried, then removed): the folder's
// permission bits alone do not say so for root or on read-only mounts.
bool canWriteIn(const std::string& folder);

// The folder of the running program file.
std::string executableFolder();

// Held while the program uses a folder. The kernel releases it when the
// process ends in any way, so a killed program never leaves it stale.
class FolderLock {
 public:
  // Fails, naming the holder's process, when another program holds it.
  static Result<FolderLock> acquire(const std::string& folder);
  // The lock file also tells where the holder's web dashboard is, for a
  // second program to offer it.
  void noteDashboard(const std::string& address);
  // The dashboard address the folder's holder noted; empty when none.
  static std::string holderDashboard(const std::string& folder);
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&&) = delete;
  ~FolderLock();

 private:
  explicit FolderLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace tamsel

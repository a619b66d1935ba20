#pragma once
// A file's size and modification time: what a reader that keeps figures
// worked out from a file compares to know the file has not changed since.
#include <cstdint>
#include <optional>
#include <string>

namespace tamsel {

struct FileStamp {
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// nullopt when nothing of that name can be looked at.
std::optional<FileStamp> fileStamp(const std::string& path);

}  // namespace tamsel

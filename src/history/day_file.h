#pragma once
// The day files the log history lists and loads.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tamsel {

// More than any day holds: a day at one record a second is under 10 MB.
// A larger file is refused, never read into memory.
inline constexpr std::uint64_t kLargestDayFileBytes = 32 * 1024 * 1024;

// "P_2010_05_23.txt cannot be read: Permission denied".
std::string cannotReadMessage(std::string_view fileName, std::string_view reason);

// The day file's text for loading. An empty line is appended first, so a
// missing day file comes to exist; a file kept read-only still loads. What
// cannot be read (no permission, a named pipe, a folder, larger than
// kLargestDayFileBytes) gives the reason.
Result<std::string> readDayFile(const std::string& path);
// The day file's text as it is, for readers that only read.
Result<std::string> readDayText(const std::string& path);

}  // namespace tamsel

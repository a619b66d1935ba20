#pragma once
// Whole-file text operations. Text is bytes; every line written ends in CR LF.
// Nothing stays open between calls, so other programs can read the files.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tamsel {

inline constexpr std::string_view kLineEnd = "\r\n";

// Every function here opens without blocking and works only on a regular
// file: a named pipe, a device or a folder where a file is expected is
// refused ("a named pipe, not a regular file"). Failures give the reason in
// the system's words, without the file's name: the caller names the file.

// The whole file as bytes, or why it cannot be read. A file larger than
// `mostBytes` is refused ("larger than 32 MiB"), before anything is read.
Result<std::string> readWholeFile(const std::string& path, std::uint64_t mostBytes = UINT64_MAX);

enum class Durability {
  Plain,   // in the system's cache when the call returns
  OnDisk,  // flushed to the disk (fdatasync) before the call returns
};

// The one way any line is appended: the file is created when missing, and
// the line + CR LF is added whole or not at all. A file whose last line was
// torn (a power cut, another program) gets a CR LF first, so the new line
// never glues onto the torn piece. When the disk fills up part-way through,
// the file is cut back to the size it had before the call and the failure is
// reported, so no fragment of the line stays behind.
Status appendLine(const std::string& path, std::string_view line,
                  Durability durability = Durability::Plain);

// Replaces the file whole, so a reader sees the old or the new content, never
// a mix: a temporary file beside it, then a rename over it. The file keeps its
// permissions, and a published link keeps working: a symbolic link is
// followed and its target replaced, and a file with more than one hard link
// is rewritten in place (all its names then show the new content).
Status replaceFile(const std::string& path, std::string_view content);

// Creates the file if missing, without writing to it.
Status touchFile(const std::string& path);

bool fileExists(const std::string& path);
// Nothing of that name at all (a link to nothing counts as nothing): a file
// never made, as opposed to one that is there and cannot be read.
bool isMissing(const std::string& path);
// Users other than the owner may read it: a file holding a password should not be.
bool othersCanRead(const std::string& path);
bool makeFolder(const std::string& path);

}  // namespace tamsel

#pragma once
// Whole-file text operations. Text is bytes; every line written ends in CR LF.
// Nothing stays open between calls, so other programs can read the files.
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tamsel {

inline constexpr std::string_view kLineEnd = "\r\n";

// The whole file as bytes, or why it cannot be read.
Result<std::string> readWholeFile(const std::string& path);

// Opens for appending (creating the file), writes `line` + CR LF, closes.
Status appendLine(const std::string& path, std::string_view line);

// Appends raw bytes as they stand (creating the file).
Status appendText(const std::string& path, std::string_view text);

// Appends `line` + CR LF in one write and waits until it is on disk. If the
// file's last line was torn (no line break at its end) the new line first
// gets a CR LF of its own, so it never glues onto the torn piece.
Status appendDurableLine(const std::string& path, std::string_view line);

// The same line-of-its-own rule without waiting for the disk, for files that
// are refreshed every tick anyway (history, spreadsheet rows).
Status appendWholeLine(const std::string& path, std::string_view line);

// Replaces the file whole: writes a temporary file beside it, then renames it
// over the old one, so readers see either the old or the new content.
Status replaceFile(const std::string& path, std::string_view content);

// Creates the file if missing, without writing to it.
Status touchFile(const std::string& path);

bool fileExists(const std::string& path);
bool makeFolder(const std::string& path);

}  // namespace tamsel

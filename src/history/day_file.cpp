#include "history/day_file.h"

#include "platform/text_file.h"

namespace tamsel {

std::string cannotReadMessage(std::string_view fileName, std::string_view reason) {
  return std::string(fileName) + " cannot be read: " + std::string(reason);
}

Result<std::string> readDayFile(const std::string& path) {
  // The empty line goes on a line of its own, so it never ends a torn record
  // or runs into the logger's next one. Whether it could be written matters
  // only through the read: a read-only day is still a day to show, and what
  // cannot be appended to for any other reason cannot be read either.
  (void)appendLine(path, "");
  return readDayText(path);
}

Result<std::string> readDayText(const std::string& path) {
  return readWholeFile(path, kLargestDayFileBytes);
}

}  // namespace tamsel

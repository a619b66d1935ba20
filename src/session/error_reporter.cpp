#include "session/error_reporter.h"

#include "platform/numeric_text.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

bool messagesTicked(const ProgramConfig& config) {
  return optionValue(config.dispMessages) == true;
}

}  // namespace

ErrorReporter::ErrorReporter(std::string programFolder, const Clock& clock, Mode mode,
                             std::ostream& messages)
    : programFolder(std::move(programFolder)),
      clock(clock),
      headless(mode == Mode::Headless),
      messages(messages),
      dispMessages(messagesTicked(ProgramConfig{})) {}

void ErrorReporter::attention(const std::string& message) {
  write(errorLogLine(clock.now(), {message, {}, {}}), true, true);
}

void ErrorReporter::commandLine(const std::string& what, const std::string& text) {
  write(errorLogLine(clock.now(), {what, text, {}}), true, false);
}

void ErrorReporter::programConfigRead(const ProgramConfig& config) {
  dispMessages = messagesTicked(config);
}

void ErrorReporter::errorTrapped(const LocalDateTime& at, const ErrorReport& report) {
  write(errorLogLine(at, report), dispMessages, headless);
}

void ErrorReporter::noticeShown(const LocalDateTime& at, const std::string& notice) {
  write(errorLogLine(at, {notice, {}, {}}), dispMessages, headless);
}

void ErrorReporter::alarmChanged(const AlarmEvent& event, const std::string& line) {
  write(errorLogLine(event.at, {line, {}, {}}), dispMessages || headless, headless);
}

void ErrorReporter::write(const std::string& line, bool toFile, bool toStream) {
  if (toFile) (void)appendLine(programFolder + "/errorlog.txt", line);
  if (toStream) messages << line << std::endl;
}

}  // namespace tamsel

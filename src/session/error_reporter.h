#pragma once
// The one owner of errorlog.txt. Everything that goes wrong, or right again,
// comes here, and one rule decides where it is written:
//
//   what                                   errorlog.txt            the message stream
//   a trapped error, a notice              when dispMessages       headless only
//   an alarm's change in words             when dispMessages,      headless only
//                                          and always headless
//   a matter for the user (an output's     always                  always
//   settings unusable, a headless
//   logger's dialogue)
//   the alarm command's own lines          always                  never
//
// The message stream is standard error: in the window only what concerns the
// setup reaches it (the window shows the rest on its message line, and so does
// the dashboard, both as observers of the same steps); headless, it is the
// service's journal and gets every line. The alarm command's lines stay in
// the file: what the command prints is the owner's, not the logger's.
#include <ostream>
#include <string>

#include "platform/clock.h"
#include "session/error_report.h"
#include "session/session_observer.h"

namespace tamsel {

class ErrorReporter final : public SessionObserver {
 public:
  // Whether someone watches a window (Window) or nobody does (Headless).
  enum class Mode { Window, Headless };

  ErrorReporter(std::string programFolder, const Clock& clock, Mode mode, std::ostream& messages);

  // A matter for the user, outside the session's steps.
  void attention(const std::string& message);
  // A line of the alarm command's.
  void commandLine(const std::string& what, const std::string& text);
  std::ostream& messageStream() { return messages; }

  void programConfigRead(const ProgramConfig& config) override;
  void errorTrapped(const LocalDateTime& at, const ErrorReport& report) override;
  void noticeShown(const LocalDateTime& at, const std::string& notice) override;
  void alarmChanged(const AlarmEvent& event, const std::string& line) override;

 private:
  // Best effort: the error log has nowhere further to report its own failure.
  void write(const std::string& line, bool toFile, bool toStream);

  const std::string programFolder;
  const Clock& clock;
  const bool headless;
  std::ostream& messages;
  bool dispMessages;  // as prog.cfg was last read
};

}  // namespace tamsel

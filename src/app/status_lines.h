#pragma once
// The two lines under the main window's list: the comms line (the frame last
// taken, or what the port is doing) and the message line (the last error in
// red, a notice in blue). What frames change waits for the next refresh: at
// many frames a second only the newest is worth drawing. Text set at once
// drops anything pending for its line, so an older frame's text never
// covers it.
#include <QColor>
#include <QString>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "session/error_report.h"

class QLabel;

namespace tamsel {

class StatusLines {
 public:
  StatusLines(QLabel& comms, QLabel& message) : comms(comms), message(message) {}

  void setComms(const QString& text);
  // Without a colour the line keeps the colour of the report it replaces,
  // shown or not.
  void setMessage(const QString& text, std::optional<QColor> colour = std::nullopt);

  void pendComms(const QString& text) { pendingComms = text; }
  void pendTrapped(const LocalDateTime& at, const ErrorReport& report);
  void pendNotice(const LocalDateTime& at, const std::string& notice);
  void showPending();

 private:
  QLabel& comms;
  QLabel& message;
  std::optional<QString> pendingComms;
  std::optional<QString> pendingMessage;
  QColor messageColour;
};

}  // namespace tamsel

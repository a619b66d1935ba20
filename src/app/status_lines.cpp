#include "app/status_lines.h"

#include <QLabel>
#include <utility>

#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"

namespace tamsel {

void StatusLines::setComms(const QString& text) {
  pendingComms.reset();
  comms.setText(text);
}

void StatusLines::setMessage(const QString& text, std::optional<QColor> colour) {
  if (std::exchange(pendingMessage, std::nullopt) && !colour) colour = messageColour;
  message.setText(text);
  if (colour) setTextColour(&message, *colour);
}

void StatusLines::pendTrapped(const LocalDateTime& at, const ErrorReport& report) {
  pendingMessage = fromBytes(trappedMessage(at, report));
  messageColour = rgb(255, 0, 0);
}

void StatusLines::pendNotice(const LocalDateTime& at, const std::string& notice) {
  pendingMessage = fromBytes("  " + longTime(at) + "  ---  " + notice);
  messageColour = rgb(0, 0, 255);
}

void StatusLines::showPending() {
  if (pendingComms) comms.setText(*std::exchange(pendingComms, std::nullopt));
  if (pendingMessage) {
    message.setText(*std::exchange(pendingMessage, std::nullopt));
    setTextColour(&message, messageColour);
  }
}

}  // namespace tamsel

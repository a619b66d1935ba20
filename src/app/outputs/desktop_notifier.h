#pragma once
// Raised and cleared alarms as desktop notifications, through the desktop's
// own notification service (org.freedesktop.Notifications on the session
// bus). Where there is no session bus, or no service on it, nothing is shown
// and nothing waits: the error log and the message line have the alarm too.
#include <QDBusConnection>
#include <QObject>
#include <array>

#include "session/session_observer.h"

namespace tamsel {

class DesktopNotifier : public QObject, public SessionObserver {
  Q_OBJECT
 public:
  explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(),
                           QObject* parent = nullptr);

  // Only a state different from the one last told comes here, and not while leaving.
  void alarmNews(const AlarmEvent& event, const std::string& line) override;
  // The notification the service numbered for the alarm's last change; 0 before.
  uint notificationOf(AlarmKind kind) const { return shown[indexOf(kind)]; }

 private:
  QDBusConnection bus;
  // The notification each alarm last showed: its clearing replaces its raising.
  std::array<uint, kAlarmKindCount> shown{};
};

}  // namespace tamsel

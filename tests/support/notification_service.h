#pragma once
// A desktop's notification service, stood in for on a session bus of the
// test's own, so a test neither needs nor disturbs a desktop.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"

namespace tamsel::test {

// What the notification service is asked, noted call by call.
class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  struct Call {
    QString app;
    uint replaces;
    QString summary, body;
    int urgency;
  };
  std::vector<Call> calls;

 public slots:
  uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& hints,
              int timeout);
};

// A private `dbus-daemon --session`, with FakeNotifications owning
// org.freedesktop.Notifications on it.
class NotificationService {
 public:
  ~NotificationService();
  bool start();
  // The bus's address, for DBUS_SESSION_BUS_ADDRESS or connectToBus.
  QString address() const;
  const std::vector<FakeNotifications::Call>& calls() const { return notifications.calls; }

 private:
  TempFolder folder;
  ChildProcess daemon;
  FakeNotifications notifications;
  bool connected = false;
};

}  // namespace tamsel::test

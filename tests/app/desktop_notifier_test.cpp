// Desktop notifications on a session bus of the test's own, answered by a
// notification service of the test's own.
#include "app/desktop_notifier.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

constexpr int kBusWaitMs = 20000;

// What a desktop's notification service is asked, noted call by call.
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
  uint Notify(const QString& app, uint replaces, const QString& /*icon*/, const QString& summary,
              const QString& body, const QStringList& /*actions*/, const QVariantMap& hints,
              int /*timeout*/) {
    calls.push_back({app, replaces, summary, body, hints.value("urgency").toInt()});
    return static_cast<uint>(40 + calls.size());
  }
};

// A session bus of its own, so the test neither needs nor disturbs a desktop.
class PrivateBus {
 public:
  bool start() {
    if (!daemon.start({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1"},
                      folder.file("address.txt"))) {
      return false;
    }
    return waitUntil([&] { return folder.read("address.txt").find('\n') != std::string::npos; },
                     kBusWaitMs);
  }
  QString address() const {
    const std::string text = folder.read("address.txt");
    return QString::fromStdString(text.substr(0, text.find('\n')));
  }

 private:
  TempFolder folder;
  ChildProcess daemon;
};

TEST(DesktopNotifier, ARaisedAlarmIsNotifiedAndItsClearingReplacesIt) {
  PrivateBus bus;
  ASSERT_TRUE(bus.start());
  QDBusConnection service = QDBusConnection::connectToBus(bus.address(), "notifications");
  FakeNotifications notifications;
  ASSERT_TRUE(service.registerObject("/org/freedesktop/Notifications", &notifications,
                                     QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(service.registerService("org.freedesktop.Notifications"));

  DesktopNotifier notifier(QDBusConnection::connectToBus(bus.address(), "logger"));
  AlarmEvent event;
  event.raised = true;
  notifier.alarmChanged(event, "LowVolts alarm raised: battery at 11.42 V, below 11.5 V");
  ASSERT_TRUE(waitUntil([&] { return notifications.calls.size() == 1; }, kBusWaitMs));
  // Its number comes back with the answer.
  ASSERT_TRUE(
      waitUntil([&] { return notifier.notificationOf(AlarmKind::LowVolts) == 41; }, kBusWaitMs));
  event.raised = false;
  notifier.alarmChanged(event, "LowVolts alarm cleared: battery at 11.76 V, above 11.73 V");
  ASSERT_TRUE(waitUntil([&] { return notifications.calls.size() == 2; }, kBusWaitMs));

  const auto& raised = notifications.calls[0];
  EXPECT_EQ(raised.app, "Tamsel");
  EXPECT_EQ(raised.replaces, 0u);
  EXPECT_EQ(raised.summary, "LowVolts alarm raised");
  EXPECT_EQ(raised.body, "battery at 11.42 V, below 11.5 V");
  EXPECT_EQ(raised.urgency, 2);
  const auto& cleared = notifications.calls[1];
  EXPECT_EQ(cleared.replaces, 41u);
  EXPECT_EQ(cleared.summary, "LowVolts alarm cleared");
  EXPECT_EQ(cleared.urgency, 1);
  QDBusConnection::disconnectFromBus("notifications");
  QDBusConnection::disconnectFromBus("logger");
}

}  // namespace
}  // namespace tamsel::test

#include "desktop_notifier_test.moc"

#include "support/notification_service.h"

#include <QDBusConnection>

#include "support/wait_until.h"

namespace tamsel::test {
namespace {

constexpr int kBusWaitMs = 20000;
const QString kConnection = QStringLiteral("notifications");

}  // namespace

uint FakeNotifications::Notify(const QString& app, uint replaces, const QString& /*icon*/,
                               const QString& summary, const QString& body,
                               const QStringList& /*actions*/, const QVariantMap& hints,
                               int /*timeout*/) {
  calls.push_back({app, replaces, summary, body, hints.value("urgency").toInt()});
  return static_cast<uint>(40 + calls.size());
}

NotificationService::~NotificationService() {
  if (connected) QDBusConnection::disconnectFromBus(kConnection);
}

bool NotificationService::start() {
  if (!daemon.start({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1"},
                    folder.file("address.txt"))) {
    return false;
  }
  if (!waitUntil([&] { return folder.read("address.txt").find('\n') != std::string::npos; },
                 kBusWaitMs)) {
    return false;
  }
  QDBusConnection service = QDBusConnection::connectToBus(address(), kConnection);
  connected = true;
  return service.registerObject("/org/freedesktop/Notifications", &notifications,
                                QDBusConnection::ExportAllSlots) &&
         service.registerService("org.freedesktop.Notifications");
}

QString NotificationService::address() const {
  const std::string text = folder.read("address.txt");
  return QString::fromStdString(text.substr(0, text.find('\n')));
}

}  // namespace tamsel::test

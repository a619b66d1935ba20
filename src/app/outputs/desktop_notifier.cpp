#include "app/outputs/desktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "alarms/alarm_text.h"
#include "platform/qt/latin1.h"

namespace tamsel {
namespace {

// The freedesktop notification urgencies.
constexpr uchar kNormal = 1;
constexpr uchar kCritical = 2;

}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus(std::move(bus)) {}

// Asked without waiting for the answer, which only says which notification
// the next one of this alarm replaces.
void DesktopNotifier::alarmNews(const AlarmEvent& event, const std::string& line) {
  if (!bus.isConnected()) return;
  const AlarmHeadline headline = alarmHeadline(line);
  QDBusMessage notify = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  const QVariantMap hints{
      {QStringLiteral("urgency"), QVariant::fromValue(event.raised ? kCritical : kNormal)},
      {QStringLiteral("desktop-entry"), QStringLiteral("tamsel")},
  };
  const size_t kind = indexOf(event.kind);
  notify << QStringLiteral("Tamsel") << shown[kind] << QString() << fromBytes(headline.summary)
         << fromBytes(headline.body) << QStringList() << hints << -1;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(notify), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, kind](QDBusPendingCallWatcher* call) {
            const QDBusPendingReply<uint> reply = *call;
            if (reply.isValid()) shown[kind] = reply.value();
            call->deleteLater();
          });
}

}  // namespace tamsel

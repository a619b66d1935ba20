// Desktop notifications on a session bus of the test's own, answered by a
// notification service of the test's own.
#include "app/outputs/desktop_notifier.h"

#include <gtest/gtest.h>

#include <QDBusConnection>

#include "support/notification_service.h"
#include "support/wait_until.h"

namespace tamsel::test {
namespace {

constexpr int kBusWaitMs = 20000;

TEST(DesktopNotifier, ARaisedAlarmIsNotifiedAndItsClearingReplacesIt) {
  NotificationService bus;
  ASSERT_TRUE(bus.start());

  DesktopNotifier notifier(QDBusConnection::connectToBus(bus.address(), "logger"));
  AlarmEvent event;
  event.raised = true;
  notifier.alarmNews(event, "LowVolts alarm raised: battery at 11.42 V, below 11.5 V");
  ASSERT_TRUE(waitUntil([&] { return bus.calls().size() == 1; }, kBusWaitMs));
  // Its number comes back with the answer.
  ASSERT_TRUE(
      waitUntil([&] { return notifier.notificationOf(AlarmKind::LowVolts) == 41; }, kBusWaitMs));
  event.raised = false;
  notifier.alarmNews(event, "LowVolts alarm cleared: battery at 11.76 V, above 11.73 V");
  ASSERT_TRUE(waitUntil([&] { return bus.calls().size() == 2; }, kBusWaitMs));

  const auto& raised = bus.calls()[0];
  EXPECT_EQ(raised.app, "Tamsel");
  EXPECT_EQ(raised.replaces, 0u);
  EXPECT_EQ(raised.summary, "LowVolts alarm raised");
  EXPECT_EQ(raised.body, "battery at 11.42 V, below 11.5 V");
  EXPECT_EQ(raised.urgency, 2);
  const auto& cleared = bus.calls()[1];
  EXPECT_EQ(cleared.replaces, 41u);
  EXPECT_EQ(cleared.summary, "LowVolts alarm cleared");
  EXPECT_EQ(cleared.urgency, 1);
  QDBusConnection::disconnectFromBus("logger");
}

}  // namespace
}  // namespace tamsel::test

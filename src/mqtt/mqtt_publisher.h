#pragma once
// What is published to an MQTT broker, and when: the newest reading once per
// interval, every record with acknowledgement, the alarms and the sensors a
// dashboard discovers, all retained but the records. The connection itself
// (MqttClient) never waits on the network; while the broker is away only the
// newest reading is kept, and the records waiting for the broker's
// acknowledgement are bounded.
#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "alarms/alarm_monitor.h"
#include "config/mqtt_config.h"
#include "logging/averaging.h"
#include "mqtt/mqtt_client.h"
#include "platform/clock.h"
#include "telemetry/reading.h"

namespace tamsel {

class MqttPublisher : public QObject {
  Q_OBJECT
 public:
  struct Identity {
    std::string deviceName;  // as a dashboard shows the device
    std::string version;
  };

  MqttPublisher(MqttSettings settings, Identity identity, const Clock& clock,
                QObject* parent = nullptr);
  ~MqttPublisher() override;

  static constexpr size_t kMostRecordsWaiting = 1000;
  static constexpr int kLongestRetrySeconds = MqttClient::kLongestRetrySeconds;

  // The first connection attempt; later ones follow by themselves.
  void start();
  // "offline" on the status topic, then a clean disconnection.
  void stop();

  // The wind-speed unit of prog.cfg, before starting and whenever it is read
  // again: the dashboard's sensor is announced again when it changes.
  void setWindUnits(const std::string& units);
  // Every accepted reading: kept, and the newest published once per interval.
  void readingAccepted(const Reading& reading, double wattHoursToday);
  // Every record written to the day's log, published with acknowledgement.
  void recordWritten(const LocalDateTime& at, const AveragedValues& values, double wattHours);
  // The battery's figures (batteryStateJson), retained on <topic>/battery
  // and sent again on each connection.
  void batteryChanged(const std::string& state);
  // Every alarm's state, whenever alarm.cfg is read and an alarm changes:
  // retained, so a dashboard that starts later still knows. The binary
  // sensors are announced again when the configured alarms change.
  void alarmsChanged(const AlarmBoard& board);

  bool isConnected() const { return link.isConnected(); }
  size_t recordsWaiting() const { return records.size(); }

 signals:
  // Once when the broker cannot be reached or is lost, and once when it is back.
  void connectionLost(const QString& reason);
  void connectionBack();

 private:
  struct WaitingRecord {
    std::string payload;
    int mid = -1;  // the message id of its last sending; -1 while unsent
  };

  void onConnected();
  void onFailed(const QString& reason);
  void onPublished(int mid);
  void announce();
  void announceAlarms();
  void publishReading();
  void publishAlarms();
  void publishBattery();
  void sendRecord(WaitingRecord& record);

  const MqttSettings settings;
  const Identity identity;
  const Clock& clock;

  MqttClient link;
  QTimer readings;  // one reading per interval
  bool lostReported = false;

  Reading latest;
  double latestWattHours = 0;
  std::string windUnits;
  LocalDateTime latestAt{};
  bool readingWaiting = false;
  std::deque<WaitingRecord> records;
  std::optional<AlarmBoard> alarms;  // none until alarm.cfg has been read
  std::string battery;               // empty until first worked out
};

}  // namespace tamsel

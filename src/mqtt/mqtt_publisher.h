#pragma once
// Publishing to an MQTT broker from the program's one thread: the client's
// socket is watched by the event loop and its housekeeping runs on a timer,
// so no step ever waits on the network. A broker that is away costs a
// reconnection attempt now and then (1 s, doubling up to 60 s) and nothing
// else; while it is away only the newest reading is kept, and the records
// waiting for the broker's acknowledgement are bounded.
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "alarms/alarm_monitor.h"
#include "config/mqtt_config.h"
#include "logging/averaging.h"
#include "platform/clock.h"
#include "telemetry/reading.h"

struct mosquitto;
class QHostInfo;

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
  static constexpr int kLongestRetrySeconds = 60;

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
  // Every alarm's state, whenever alarm.cfg is read and an alarm changes:
  // retained, so a dashboard that starts later still knows. The binary
  // sensors are announced again when the configured alarms change.
  void alarmsChanged(const AlarmBoard& board);

  bool isConnected() const { return connected; }
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

  void connectToBroker();
  void hostResolved(const QHostInfo& info);
  void openClient(const std::string& address);
  void onConnected(int result);
  void onPublished(int mid);
  void serviceSocket(int (*step)(struct mosquitto*, int));
  void housekeeping();
  void watchWrites();
  void fail(const std::string& reason);
  std::string failure(int result) const;
  void announce();
  void closeClient();
  bool publish(const std::string& topic, const std::string& payload, int qos, bool retain,
               int* mid = nullptr);
  void publishReading();
  void publishAlarms();
  void announceAlarms();
  void sendRecord(WaitingRecord& record);

  static void connectCallback(struct mosquitto*, void* self, int result);
  static void disconnectCallback(struct mosquitto*, void* self, int result);
  static void publishCallback(struct mosquitto*, void* self, int mid);

  const MqttSettings settings;
  const Identity identity;
  const Clock& clock;

  struct mosquitto* client = nullptr;
  std::unique_ptr<QSocketNotifier> readable;
  std::unique_ptr<QSocketNotifier> writable;
  QTimer misc;      // keep-alive and retries of unacknowledged packets
  QTimer retry;     // the next connection attempt
  QTimer readings;  // one reading per interval
  int retrySeconds = 1;
  int lookupId = -1;
  bool connected = false;
  bool lostReported = false;
  bool stopping = false;

  Reading latest;
  double latestWattHours = 0;
  std::string windUnits;
  LocalDateTime latestAt{};
  bool readingWaiting = false;
  std::deque<WaitingRecord> records;
  std::optional<AlarmBoard> alarms;  // none until alarm.cfg has been read
};

}  // namespace tamsel

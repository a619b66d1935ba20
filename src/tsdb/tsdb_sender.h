#pragma once
// Sends every record of the day files to a time-series database over HTTP(S),
// on the event loop: one request at a time, never blocking logging. The day
// files are the queue and a state file beside the program holds how far
// sending has reached, so an outage, a restart or a kill loses nothing: the
// next batch starts where the last acknowledged one ended.
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>

#include "config/tsdb_config.h"
#include "platform/clock.h"
#include "tsdb/day_queue.h"

class QNetworkReply;

namespace tamsel {

class TsdbSender : public QObject {
  Q_OBJECT

 public:
  static constexpr long long kBatchRecords = 5000;
  static constexpr int kLongestRetrySeconds = 60;

  TsdbSender(TsdbSettings settings, std::string programFolder, const Clock& clock);
  ~TsdbSender() override;

  // The logging interval in seconds, for records that share a minute.
  void setLogDelay(int seconds) { logDelay = seconds; }
  // Reads the state file (or starts as History says) and sends what is waiting.
  void start();
  // A record reached the day's file: send it once the tick is over.
  void recordWritten();
  void stop();

  std::uint64_t pendingRecords() const {
    return pending > 0 ? static_cast<std::uint64_t>(pending) : 0;
  }
  std::uint64_t sentRecords() const { return sent; }
  std::string statePath() const { return programFolder + "/tsdb.state"; }

 signals:
  // Sending failed, with the server's own reason: once per outage.
  void failed(const QString& reason);
  // Sending works again after a failure was told.
  void recovered();
  // For the user whatever the settings: "sent N of M days", and the state file's problems.
  void told(const QString& line);

 private:
  void sendNext();
  void post(bool compressed);
  void answered(QNetworkReply* reply);
  void taken();
  void failing(const QString& reason);
  void tellProgress();

  const TsdbSettings settings;
  const std::string programFolder;
  const Clock& clock;
  DayQueue queue;
  QNetworkAccessManager network;
  QTimer retry;
  QElapsedTimer sinceProgress;
  int logDelay = 60;
  SendPosition position;
  Batch inFlight;
  QNetworkReply* reply = nullptr;
  bool started = false;
  bool stopped = false;
  bool waking = false;       // a send is queued on the event loop
  bool gzipRefused = false;  // the server answered a gzip body with 415 or 400
  bool outage = false;       // a failure was told and sending has not worked since
  int retrySeconds = 1;
  long long pending = 0;
  std::uint64_t sent = 0;
  // The days before today waiting when sending began, and the newest of them sent.
  std::vector<CalendarDate> historyDays;
  std::optional<CalendarDate> newestSentDay;
  size_t lastToldDays = 0;
  std::string stateProblem;  // told once
};

}  // namespace tamsel

#pragma once
// Sending records to a time-series database as one output of a session:
// tsdb.cfg read, the sender made, and the session's steps passed on to it.
#include <memory>
#include <string>

#include "platform/clock.h"
#include "session/error_reporter.h"
#include "session/session_observer.h"
#include "tsdb/tsdb_sender.h"

namespace tamsel {

class TsdbFeed final : public SessionObserver {
 public:
  TsdbFeed(std::unique_ptr<TsdbSender> sender, ErrorReporter& reporter);

  TsdbSender& sender() { return *sender_; }

  // The database's problems are the session's trapped errors and notices.
  void sessionMade(LoggerSession& session) override;
  void intervalShown(const std::string& delayText) override;
  void configurationFirstLoaded() override { sender_->start(); }
  void recordWritten(const LocalDateTime& at, const AveragedValues& values,
                     double wattHours) override;
  void sessionLeft() override { sender_->stop(); }

 private:
  std::unique_ptr<TsdbSender> sender_;
};

// The sender, not yet started (it starts with the session's first
// configuration), when tsdb.cfg enables sending; none when the file is
// missing, sending is off, or its settings cannot be used. What needs the
// user's attention goes to `reporter`.
std::unique_ptr<TsdbFeed> startSending(const std::string& programFolder, const Clock& clock,
                                       ErrorReporter& reporter);

}  // namespace tamsel

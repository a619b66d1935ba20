#pragma once
// A logger session in a temporary program folder, with a fake clock and a
// fake serial port, shown to a recording observer and written down by the
// real error reporter (as in the window, whose rules it then follows).
#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <sstream>
#include <string>

#include "session/error_reporter.h"
#include "session/logger_session.h"
#include "support/fake_clock.h"
#include "support/fake_serial.h"
#include "support/logger_files.h"
#include "support/recording_observer.h"
#include "support/temp_folder.h"

namespace tamsel::test {

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() { serial.availablePorts = {3}; }

  // Writes the files, makes the session and runs its start-up; the steps
  // start-up told are taken.
  LoggerSession& start(const ProgCfg& cfg = {}, const char* settings = kSettingsCfg) {
    folder.write("prog.cfg", cfg.text());
    folder.write("settings.cfg", settings);
    session_.reset();
    serial.close();
    session_ = std::make_unique<LoggerSession>(
        LoggerSession::Services{folder.path(), clock, serial, {&errorReporter}}, steps);
    (void)session_->runStartUp();
    session_->startUpTold();
    (void)steps.take();
    return *session_;
  }
  LoggerSession& session() { return *session_; }

  // Whether the logging tick is armed, and its period.
  const QTimer& loggingTick() const {
    return *session_->findChild<QTimer*>(QStringLiteral("Timer1"));
  }
  // A second passes, `frame` in it, and the alarms are judged.
  void alarmSecond(const std::string& frame = {}) {
    if (!frame.empty()) serial.deliver(frame);
    LocalDateTime t = clock.now();
    ++t.second;  // the tests stay inside one minute
    clock.set(t);
    session_->AlarmTimer_Timer();
  }
  void minuteLater() {
    LocalDateTime t = clock.now();
    ++t.minute;
    clock.set(t);
    session_->AlarmTimer_Timer();
  }
  std::string errorLog() const { return folder.read("errorlog.txt"); }
  std::string todayLog() const { return folder.read("logs/P_2010_05_23.txt"); }

  TempFolder folder;
  FakeClock clock;  // 2010-05-23 14:05:33
  FakeSerial serial;
  RecordingObserver steps;
  std::ostringstream standardError;
  ErrorReporter errorReporter{folder.path(), clock, ErrorReporter::Mode::Window, standardError};

 private:
  std::unique_ptr<LoggerSession> session_;
};

using Steps = std::vector<std::string>;

}  // namespace tamsel::test

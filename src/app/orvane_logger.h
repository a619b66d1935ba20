#pragma once
// The main window: shows what the logger session does (see
// session/logger_session.h for the road from port to record) and lets the
// user start and stop logging, open the setup, calibration and history
// windows, and leave.
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "app/live_list_view.h"
#include "app/orvane_logger_form.h"
#include "app/outer_height.h"
#include "app/status_lines.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/paced_refresh.h"
#include "platform/serial/serial_control.h"
#include "session/logger_session.h"
#include "telemetry/live_display.h"
#include "telemetry/live_power_plot.h"

class QPushButton;

namespace tamsel {

class OrvaneLogger : public QWidget, private OrvaneLoggerForm, private SessionObserver {
  Q_OBJECT
 public:
  // What the window needs from outside: its folder, the clock, the user
  // (through dialogs), the serial port and a second control for the
  // calibration window, which holds the port while the window's is closed;
  // and what else the session tells its steps to (app/outputs/make_outputs.h).
  struct Services {
    std::string programFolder;
    const Clock& clock;
    Dialogs& dialogs;
    SerialControl& MSComm1;
    SerialControl& MSComm2;
    std::vector<SessionObserver*> outputs = {};
  };

  explicit OrvaneLogger(Services services, QWidget* parent = nullptr);

  // Start-up; while the port cannot be opened, the setup window and start-up again.
  void Form_Load();

  // Handlers, public so that tests can raise the events they stand for
  // (the port and the session's timers are the session's own).
  void StartLogging_Click();
  void StopLogging_Click();
  void Timer2_Timer();
  // Shows what frames changed since the last refresh (the paced refresh's timer).
  void ScreenTimer_Timer();
  void Check1_Click();
  void Setup_Click();
  void CalibrateButton_Click();
  void ShowLogs_Click();
  void GraphDisplay_Click();
  void Exit_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool startUp();  // false when the port failed
  void PortProblem();
  void portProblemLoop();
  void showSetupWindow();
  Status showCalibrationWindow();
  enum class LinesAfter { Kept, Cleared };
  void reloadAndReopen(Status step, LinesAfter linesAfter);

  // What the session shows.
  void displayReset() override;
  void intervalShown(const std::string& delayText) override;
  void displayValuesApplying() override;
  void listOptionsApplied(const ListOptions& options) override;
  void messageBandApplied(bool shown) override;
  void frameTaken(std::string_view frame) override;
  void frameFailed(std::string_view frame) override;
  void readingAccepted(const Reading& reading, double wattHours) override;
  void errorTrapped(const LocalDateTime& at, const ErrorReport& report) override;
  void noticeShown(const LocalDateTime& at, const std::string& notice) override;
  void recordTicked(bool written) override;
  void loggingChanged(bool started) override;
  void alarmStateChanged(const AlarmEvent& event) override;
  void alarmChanged(const AlarmEvent& event, const std::string& line) override;
  void wattHoursCounted() override;

  // What frames changed and the screen has not shown yet: at many frames a
  // second only the newest of it is worth drawing.
  struct PendingScreen {
    bool reading = false;
    bool frameArrived = false;  // BlinkData blinks once per refresh that had frames
    bool alarms = false;        // an alarm was raised or cleared
    bool wattHours = false;     // the running total grew between frames
  };
  void showPending();
  void showCaption(std::string shown);
  void blink(QPushButton* indicator);
  void connectHandlers();

  // Outside.
  const std::string programFolder;
  const Clock& clock;
  Dialogs& dialogs;
  SerialControl& MSComm2;

  LoggerSession* const session;
  StatusLines lines;
  ListOptions listOptions;
  LiveListView liveList;
  OuterHeight outerHeight;
  LivePowerPlot livePlot;
  PendingScreen pending;
  PacedRefresh* const screenRefresh;
  std::string caption;  // the caption last set, so an unchanged one is not set again
};

}  // namespace tamsel

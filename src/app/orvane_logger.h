#pragma once
// The main window: shows what the logger session does (see
// session/logger_session.h for the road from port to record) and lets the
// user start and stop logging, open the setup, calibration and history
// windows, and leave.
#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/orvane_logger_form.h"
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

  // Handlers, public so that tests can raise the events they stand for.
  void MSComm1_OnComm(std::string_view text);
  void StartLogging_Click();
  void StopLogging_Click();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void AlarmTimer_Timer();
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
  // Tests read (and, to set a scene, change) the state through this.
  friend struct OrvaneLoggerProbe;

  bool startUp();  // false when the port failed
  void PortProblem();
  void portProblemLoop();
  void showSetupWindow();
  Status showCalibrationWindow();
  enum class LinesAfter { Kept, Cleared };
  void reloadAndReopen(Status step, LinesAfter lines);

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
    std::optional<QString> commsLine;
    std::optional<QString> messageLine;
    QColor messageColour;
    bool reading = false;
    bool frameArrived = false;  // BlinkData blinks once per refresh that had frames
    bool alarms = false;        // an alarm was raised or cleared
    bool wattHours = false;     // the running total grew between frames
  };
  void showPending();
  // Set at once, for what does not come with frames; anything pending for
  // the line is dropped, so an older frame's text never covers it.
  void setCommsLine(const QString& text);
  void setMessageLine(const QString& text, std::optional<QColor> colour = std::nullopt);
  void showCaption(std::string shown);
  void showRows(const std::vector<ListRow>& rows);
  // Rows an active alarm is about are red, with a tooltip saying since when.
  void showAlarmRows();
  void rebuildList();
  void blink(QPushButton* indicator);
  enum class LowerBand { Shown, Hidden };
  void setOuterHeight(int twips, LowerBand band);
  void connectHandlers();

  // Outside.
  const std::string programFolder;
  const Clock& clock;
  Dialogs& dialogs;
  SerialControl& MSComm2;

  LoggerSession* const session;
  ListOptions listOptions;
  LivePowerPlot livePlot;
  PendingScreen pending;
  PacedRefresh* const screenRefresh;
  std::string caption;  // the caption last set, so an unchanged one is not set again
  int outerHeight = 0;
  LowerBand lowerBand = LowerBand::Shown;
  int frameHeightApplied = 0;  // the frame's height when the outer height was last set
};

}  // namespace tamsel

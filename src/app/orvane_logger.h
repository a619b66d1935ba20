#pragma once
// The main window, which is the program.
//
// Data flows one way: the serial control hands received text to
// MSComm1_OnComm; the frame assembler cuts it into frames; each frame is
// checked and scaled into the current reading, which is added to the interval
// sums and shown in the list and the caption. Timer1 averages the sums into
// one record line of the day's log, with the running watt-hours that Timer3
// integrates, and refreshes the HTML and spreadsheet files when asked to.
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "app/orvane_logger_form.h"
#include "config/calibration.h"
#include "config/program_config.h"
#include "logging/averaging.h"
#include "logging/energy_counter.h"
#include "logging/interval_sums.h"
#include "logging/log_files.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/serial_control.h"
#include "telemetry/frame_assembler.h"
#include "telemetry/live_display.h"
#include "telemetry/live_power_plot.h"
#include "telemetry/reading.h"

class QPushButton;

namespace tamsel {

class OrvaneLogger : public QWidget, private OrvaneLoggerForm {
  Q_OBJECT
 public:
  // What the window needs from outside: its folder, the clock, the user
  // (through dialogs), the serial port and a second control for the
  // calibration window, which holds the port while the window's is closed.
  struct Services {
    std::string programFolder;
    const Clock& clock;
    Dialogs& dialogs;
    SerialControl& MSComm1;
    SerialControl& MSComm2;
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

  enum class StartUp { Done, PortFailed };
  StartUp runStartUp();
  void resetDisplay();
  void recountToday();
  void autoStart();
  void PortProblem();
  void portProblemLoop();
  void showSetupWindow();
  Status showCalibrationWindow();
  enum class LinesAfter { Kept, Cleared };
  void reloadAndReopen(Status step, LinesAfter lines);
  Status openPort();
  Status LoadConfiguration();
  Status applyProgramValues(const KeysRead& read);
  void ReportError(const std::string& errorText = {});

  void takeFrame(std::string_view frame);
  void decodingFailed(const std::string& failure);
  void showReading();
  void showRows(const std::vector<ListRow>& rows);
  void rebuildList();
  void blink(QPushButton* indicator);

  bool applyInterval();
  void setLoggingControls(bool started);
  enum class LowerBand { Shown, Hidden };
  void setOuterHeight(int twips, LowerBand band);
  void writeTickOutputs(const LocalDateTime& now, const AveragedValues& values);
  void leave();
  void connectHandlers();

  // Outside.
  const std::string programFolder;
  const Clock& clock;
  Dialogs& dialogs;
  SerialControl& MSComm1;
  SerialControl& MSComm2;

  // State.
  std::string errorMessage;
  std::string lastFrameText;
  Reading reading;
  IntervalSums sums;
  LastValues lastValues;
  ProgramConfig config;
  Calibration calibration;
  bool loggingStarted = false;

  LogFiles files;
  EnergyCounter energy;
  FrameAssembler assembler;
  Scale scale;
  ListOptions listOptions;
  LivePowerPlot livePlot;
  std::string caption;  // the caption last set, so an unchanged one is not set again
  int outerHeight = 0;
  LowerBand lowerBand = LowerBand::Shown;
  int frameHeightApplied = 0;  // the frame's height when the outer height was last set
  bool left = false;
};

}  // namespace tamsel

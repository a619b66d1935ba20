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
#include "telemetry/reading.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace tamsel {

class OrvaneLogger : public QWidget {
  Q_OBJECT
 public:
  // What the window needs from outside: its folder, the clock, the user
  // (through dialogs) and the serial port.
  struct Services {
    std::string programFolder;
    const Clock& clock;
    Dialogs& dialogs;
    SerialControl& MSComm1;
  };

  explicit OrvaneLogger(Services services, QWidget* parent = nullptr);

  // Start-up; while the port cannot be opened, the setup window and start-up again.
  void Form_Load();

  // Handlers.
  void MSComm1_OnComm(std::string_view text);
  void StartLogging_Click();
  void StopLogging_Click();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void Check1_Click();
  void Setup_Click();
  void Exit_Click();

  Status LoadConfiguration();
  void ReportError(const std::string& errorText = {});

  // Controls, under their designer names.
  QLabel* Label11;
  QTreeWidget* ListView1;
  QPushButton* BlinkData;
  QLabel* Label14;
  QPushButton* StartLogging;
  QPushButton* StopLogging;
  QPushButton* ShowLogs;
  QPushButton* BlinkLog;
  QLabel* Label9;
  QLineEdit* delay;
  QLabel* Label10;
  QCheckBox* GraphDisplay;
  QPushButton* Setup;
  QPushButton* CalibrateButton;
  QCheckBox* Check1;
  QPushButton* Exit;
  QLabel* Label2;
  QLabel* ErrorString;
  QFrame* GraphPlot;
  QTimer* Timer1;
  QTimer* Timer2;
  QTimer* Timer3;

  // State.
  std::string errorMessage;
  std::string lastFrameText;
  Reading reading;
  IntervalSums sums;
  LastValues lastValues;
  ProgramConfig config;
  Calibration calibration;
  bool loggingStarted = false;
  double wattHours() const { return energy.wattHours(); }
  int outerHeightTwips() const { return outerHeight; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  enum class StartUp { Done, PortFailed };
  StartUp RunStartUp();
  void ResetDisplay();
  void RecountToday();
  void AutoStart();
  void PortProblem();
  void PortProblemLoop();
  void ShowSetupWindow();
  Status OpenPort();
  Status ApplyProgramValues(const KeysRead& read);

  void TakeFrame(std::string_view frame);
  void DecodingFailed(const std::string& failure);
  void ShowReading();
  void ShowRows(const std::vector<ListRow>& rows);
  void RebuildList();
  void Blink(QPushButton* indicator);

  bool ApplyInterval();
  void SetLoggingControls(bool started);
  void SetOuterHeight(int twips);
  void WriteTickOutputs(const LocalDateTime& now, const AveragedValues& values);
  void Leave();

  void BuildControls();
  void BuildLoggingPanel();
  void BuildLowerBand();
  void ConnectHandlers();

  const std::string programFolder;
  const Clock& clock;
  Dialogs& dialogs;
  SerialControl& MSComm1;
  LogFiles files;
  EnergyCounter energy;
  FrameAssembler assembler;
  Scale scale;
  ListOptions listOptions;
  int outerHeight = 0;
  int frameHeightApplied = 0;  // the frame's height when the outer height was last set
  bool left = false;
};

}  // namespace tamsel

#pragma once
// The logger itself, without a window: the main window shows it, and the
// headless logger runs it with nobody watching.
//
// Data flows one way: the serial control hands received text to
// MSComm1_OnComm; the frame assembler cuts it into frames; each frame is
// checked and scaled into the current reading, which is added to the interval
// sums. Timer1 averages the sums into one record line of the day's log, with
// the running watt-hours that Timer3 integrates while frames come, and refreshes the HTML and
// spreadsheet files when asked to. Each reading also goes to the alarm
// monitor, which AlarmTimer ticks once a second. What happens on the way is
// told to the observers (session_observer.h): the view first, then every
// output, the error log among them. The session knows none of them by type.
#include <QObject>
#include <QTimer>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logging/averaging.h"
#include "logging/energy_counter.h"
#include "logging/interval_sums.h"
#include "logging/log_files.h"
#include "platform/clock.h"
#include "platform/serial/serial_control.h"
#include "session/error_report.h"
#include "session/session_alarms.h"
#include "session/session_observer.h"
#include "session/session_settings.h"
#include "telemetry/frame_assembler.h"
#include "telemetry/live_display.h"
#include "telemetry/reading.h"

namespace tamsel {

// Start-up could not open the port: the window asks the user about it, the
// headless logger writes it down and tries again.
inline constexpr std::string_view kPortProblemMessage =
    "There is a possible Port Number problem. Check available PORTS";

class LoggerSession : public QObject {
  Q_OBJECT
 public:
  struct Services {
    std::string programFolder;
    const Clock& clock;
    SerialControl& MSComm1;
    // Told every step after the view: the error log and every other output.
    std::vector<SessionObserver*> outputs = {};
  };

  LoggerSession(Services services, SessionObserver& view, QObject* parent = nullptr);

  // Start-up: folders, both configuration files, the day's recount, the port
  // and, when LogOn asks for it, logging. Done also covers port 0 (no port).
  enum class StartUp { Done, PortFailed, IntervalInvalid };
  struct StartUpResult {
    StartUp outcome = StartUp::Done;
    Status port;  // why the port did not open
  };
  StartUpResult runStartUp();
  // The view has told start-up's outcome: outputs that serve others start
  // now (once, however often it is said).
  void startUpTold();

  // Both configuration files again; the first failure stops the reading.
  Status LoadConfiguration();
  Status openPort();
  // Before a configuration window takes over the port.
  void releasePort();

  void MSComm1_OnComm(std::string_view text);
  // Checks and clamps the interval text, then starts the logging tick and
  // clears the sums; false (and nothing changed) when the text is no number.
  bool startLogging();
  // The same as start-up does it: the sums are kept.
  bool autoStart();
  void stopLogging();
  void Timer1_Timer();
  void Timer3_Timer();
  // Once a second: the alarms judged.
  void AlarmTimer_Timer();
  // The watt-hours line and the port closed; once, however often it is asked.
  void leave();
  bool hasLeft() const { return left; }

  // Trapped errors go to every observer (the error reporter decides where they are written).
  void ReportError(const std::string& errorText = {});
  // A trapped error of an output, with neither the last frame nor the operation under way.
  void reportTrapped(const ErrorReport& report);
  // The same places, for a problem that is over.
  void reportNotice(const std::string& notice);

  void setIntervalText(const std::string& delayText);
  const std::string& intervalText() const { return intervalText_; }
  const std::string& folder() const { return programFolder; }
  const ProgramConfig& programConfig() const { return settings.program(); }
  const Reading& currentReading() const { return reading; }
  double wattHours() const { return energy.wattHours(); }
  double countedWattHours() const { return energy.countedWattHours(); }
  bool isLogging() const { return loggingStarted; }
  const AlarmMonitor& alarmMonitor() const { return alarms.monitor(); }
  bool isPortOpen() const { return MSComm1.isOpen(); }

 private:
  void resetDisplay();
  void recountToday();
  bool applyInterval();
  void setLogging(bool started);
  void takeFrame(std::string_view frame);
  void decodingFailed(const std::string& failure);
  void writeTickOutputs(const LocalDateTime& now, const AveragedValues& values);
  void connectHandlers();
  void portOpened();
  void portLost(const std::string& why);
  void portClosed();
  template <class Step>
  void tell(const Step& step) {
    observers.each(step);
  }

  // Outside.
  const std::string programFolder;
  const Clock& clock;
  SerialControl& MSComm1;
  SessionObservers observers;

  // The logging tick and the watt-hours tick.
  QTimer* const Timer1;
  QTimer* const Timer3;
  QTimer* const AlarmTimer;

  // State.
  std::string errorMessage;
  std::string lastFrameText;
  std::string intervalText_;  // the `delay` box of the window
  Reading reading;
  // When a frame last gave the reading its watts (monotonic seconds); none
  // since the port opened, closed or was lost: watts from before a gap count
  // for nothing.
  std::optional<long long> wattsReadAt;
  IntervalSums sums;
  LastValues lastValues;
  SessionSettings settings;
  bool loggingStarted = false;
  bool left = false;
  bool configurationLoaded = false;
  bool startUpWasTold = false;

  LogFiles files;
  EnergyCounter energy;
  FrameAssembler assembler;
  SessionAlarms alarms;
};

}  // namespace tamsel

#include "session/logger_session.h"

#include "alarms/alarm_command.h"
#include "alarms/alarm_text.h"
#include "config/alarm_config.h"
#include "logging/logging_control.h"
#include "platform/numeric_text.h"
#include "platform/qt/latin1.h"
#include "platform/serial_settings.h"
#include "platform/text_file.h"
#include "session/named_timer.h"
#include "telemetry/frame_decoder.h"

namespace tamsel {

namespace {

std::vector<SessionObserver*> viewFirst(SessionObserver& view,
                                        std::vector<SessionObserver*> outputs) {
  outputs.insert(outputs.begin(), &view);
  return outputs;
}

}  // namespace

LoggerSession::LoggerSession(Services services, SessionObserver& view, QObject* parent)
    : QObject(parent),
      programFolder(std::move(services.programFolder)),
      clock(services.clock),
      MSComm1(services.MSComm1),
      observers(viewFirst(view, std::move(services.outputs))),
      Timer1(makeNamedTimer(this, "Timer1", 1000)),
      Timer3(makeNamedTimer(this, "Timer3", 5000)),
      AlarmTimer(makeNamedTimer(this, "AlarmTimer", 1000)),
      intervalText_(setupDefaults().LogDelay),  // the interval before any file is read
      files(programFolder),
      energy(clock.now()),
      scale(scaleFrom(calibration)) {
  connectHandlers();
  Timer3->start();
  AlarmTimer->start();
  tell([this](SessionObserver& o) { o.sessionMade(*this); });
}

// ---- Start-up -------------------------------------------------------------

LoggerSession::StartUpResult LoggerSession::runStartUp() {
  resetDisplay();
  files.makeFolders();
  (void)LoadConfiguration();  // a failure part-way leaves what was read; start-up goes on
  recountToday();
  // Publishing starts once the configuration says how its problems are reported.
  if (!configurationLoaded) {
    configurationLoaded = true;
    tell([](SessionObserver& o) { o.configurationFirstLoaded(); });
  }
  if (config.Port == "0") {
    alarms.portClosed();  // nothing is expected from a board the user has no port for
    return {};
  }
  errorMessage = "port not available";
  if (Status opened = openPort(); !opened) return {StartUp::PortFailed, opened};
  errorMessage.clear();
  if (optionValue(config.LogOn) == true && !autoStart()) return {StartUp::IntervalInvalid, {}};
  return {};
}

void LoggerSession::startUpTold() {
  if (startUpWasTold) return;
  startUpWasTold = true;
  tell([](SessionObserver& o) { o.startUpTold(); });
}

void LoggerSession::resetDisplay() {
  tell([](SessionObserver& o) { o.displayReset(); });
  reading = Reading{};
  wattsReadAt.reset();
  energy.restartDay(clock.now());  // the total belongs to today from here on
}

void LoggerSession::recountToday() {
  // The interval of the records is taken to be the one configured now.
  // A box that holds no number adds nothing, but the day's file is still made.
  const double interval = numericValue(intervalText_).value_or(0);
  const Result<double> recounted = files.recountDay(clock.now(), interval);
  if (!recounted) return reportNotice(recounted.error());
  energy.setWattHours(energy.wattHours() + *recounted);
}

Status LoggerSession::openPort() {
  const Result<int> port = portNumberFromText(config.Port);
  // Without a readable prog.cfg there is no port number at all: that, not
  // "no number", is what the user must hear.
  if (!port) {
    portLost(port.error());
    return programFileProblem.empty() ? port.status() : Status::failure(programFileProblem);
  }
  Status opened = MSComm1.open(*port, config.BR + ",N,8,1");
  // A new connection starts clean: text cut off by the last one never
  // mixes into its first frame.
  wattsReadAt.reset();
  if (opened) {
    assembler.dropPending();
    portOpened();
  } else {
    portLost(opened.error);
  }
  return opened;
}

void LoggerSession::releasePort() {
  errorMessage = "port not available";
  MSComm1.close();
  wattsReadAt.reset();
  portClosed();
}

void LoggerSession::portOpened() {
  alarms.portOpened(alarmMoment());
  tell([](SessionObserver& o) { o.portOpened(); });
}

void LoggerSession::portLost(const std::string& why) {
  alarms.portLost(alarmMoment());
  tell([&](SessionObserver& o) { o.portLost(why); });
}

void LoggerSession::portClosed() {
  alarms.portClosed();
  tell([](SessionObserver& o) { o.portClosed(); });
}

// ---- Configuration ----------------------------------------------------------

// A first run has no prog.cfg yet: say so and how to make one.
std::string LoggerSession::programFileReadProblem(const std::string& reason) const {
  if (isMissing(programConfigPath(programFolder))) {
    return "prog.cfg is missing in " + programFolder +
           ": make one with \"Program Setup\", or on a machine without a display as README shows";
  }
  return "prog.cfg cannot be read: " + reason;
}

Status LoggerSession::LoadConfiguration() {
  const Status loaded = loadProgramFiles();
  // Alarms are read whatever became of prog.cfg: they watch the board, and
  // how their problems are reported (dispMessages) is known by now if at all.
  loadAlarms();
  return loaded;
}

Status LoggerSession::loadProgramFiles() {
  auto program = readWholeFile(programConfigPath(programFolder));
  programFileProblem = program ? "" : programFileReadProblem(program.error());
  if (!program) return Status::failure(programFileProblem);
  const KeysRead read = readProgramConfigStrict(*program, config);
  // Known before the first connection, so the MQTT wind sensor has its unit from the start, and
  // before any problem below, so the error log knows whether messages are ticked.
  tell([this](SessionObserver& o) { o.programConfigRead(config); });
  if (read.has("LogDelay")) setIntervalText(config.LogDelay);
  if (Status applied = applyDisplayValues(read); !applied) return applied;

  auto settings = readWholeFile(calibrationPath(programFolder));
  if (!settings) return Status::failure("settings.cfg: " + settings.error());
  const KeysRead calibrated = readCalibrationStrict(*settings, calibration);
  scale = scaleFrom(calibration);
  return calibrated.status;
}

Status LoggerSession::applyDisplayValues(const KeysRead& read) {
  if (!read.status) return read.status;
  tell([](SessionObserver& o) { o.displayValuesApplying(); });
  auto showRPM = optionValue(config.DisplayRPM);
  auto showWindSpeed = optionValue(config.DisplayWS);
  if (!showRPM || !showWindSpeed) return Status::failure("DisplayRPM or DisplayWS is no number");
  const ListOptions options{*showRPM, *showWindSpeed, config.WSUnits};
  tell([&](SessionObserver& o) { o.listOptionsApplied(options); });
  auto messages = optionValue(config.dispMessages);
  if (!messages) return Status::failure("dispMessages is no number");
  tell([&](SessionObserver& o) { o.messageBandApplied(*messages); });
  return {};
}

void LoggerSession::setIntervalText(const std::string& delayText) {
  if (delayText == intervalText_) return;
  intervalText_ = delayText;
  tell([this](SessionObserver& o) { o.intervalShown(intervalText_); });
}

// A file read again unchanged changes nothing and is not reported again (the
// headless logger rereads it every 2 s while the port is missing).
void LoggerSession::loadAlarms() {
  const std::string path = alarmConfigPath(programFolder);
  const Result<std::string> text = readWholeFile(path);
  const bool unreadable = !text && !isMissing(path);
  const std::pair<bool, std::string> read{unreadable, unreadable ? text.error() : text.valueOr({})};
  if (alarmFileRead == read) return;
  alarmFileRead = read;
  if (unreadable) {
    reportTrapped({"alarm.cfg cannot be read: " + text.error() + "; no alarms", {}, {}});
  } else if (text && !holdsAlarmKey(*text)) {
    reportTrapped(
        {"alarm.cfg holds no alarm setting: none of its keys is known; no alarms", {}, {}});
  }
  AlarmSettingsRead settings = alarmSettings(readAlarmConfig(text.valueOr({})));
  if (auto problem = commandProblem(settings.settings.command, programFolder)) {
    settings.problems.push_back(std::move(*problem));
  }
  for (const AlarmProblem& problem : settings.problems) {
    reportTrapped({loadProblemText(problem), {}, {}});
  }
  for (const AlarmEvent& event : alarms.configure(settings.settings, alarmMoment())) {
    alarmChanged(event);
  }
  tell([&](SessionObserver& o) { o.alarmSettingsLoaded(settings.settings); });
  tell([this](SessionObserver& o) { o.alarmsJudged(alarms.board()); });
}

AlarmMoment LoggerSession::alarmMoment() const {
  return {clock.elapsedSeconds(), clock.now()};
}

void LoggerSession::AlarmTimer_Timer() {
  const AlarmMoment now = alarmMoment();
  const std::vector<AlarmEvent> events = alarms.tick(now);
  for (const AlarmEvent& event : events) alarmChanged(event);
  for (const AlarmTelling& told : alarmPacer.tick(now.seconds, now.at)) tellAlarm(told, true);
  if (!events.empty()) tell([this](SessionObserver& o) { o.alarmsJudged(alarms.board()); });
}

// The state is shown at once; the words are paced, so a flapping alarm
// cannot flood the error log, the journal, the command or the desktop.
void LoggerSession::alarmChanged(const AlarmEvent& event) {
  tell([&](SessionObserver& o) { o.alarmStateChanged(event); });
  if (auto told = alarmPacer.changed(event, clock.elapsedSeconds())) tellAlarm(*told, true);
}

// The command and the desktop hear only of a state they have not been told:
// a minute that came back to where it began has nothing new for them.
void LoggerSession::tellAlarm(const AlarmTelling& told, bool news) {
  const std::string line = alarmTellingLine(told, config.WSUnits);
  tell([&](SessionObserver& o) { o.alarmChanged(told.event, line); });
  if (!news || !told.stateChanged) return;
  tell([&](SessionObserver& o) { o.alarmNews(told.event, line); });
}

// ---- Errors ---------------------------------------------------------------

void LoggerSession::ReportError(const std::string& errorText) {
  reportTrapped({errorMessage, errorText, lastFrameText});
}

void LoggerSession::reportTrapped(const ErrorReport& report) {
  const LocalDateTime now = clock.now();
  tell([&](SessionObserver& o) { o.errorTrapped(now, report); });
}

void LoggerSession::reportNotice(const std::string& notice) {
  const LocalDateTime now = clock.now();
  tell([&](SessionObserver& o) { o.noticeShown(now, notice); });
}

// ---- Receiving ----------------------------------------------------------------

void LoggerSession::MSComm1_OnComm(std::string_view text) {
  assembler.append(text);
  // Data re-arms the logging tick only while logging is started, so "Stop" stops records.
  if (loggingStarted && !Timer1->isActive()) Timer1->start();
  assembler.takeFrames([this](std::string_view frame) { takeFrame(frame); });
}

void LoggerSession::takeFrame(std::string_view frame) {
  lastFrameText.assign(frame);
  tell([&](SessionObserver& o) { o.frameTaken(frame); });
  errorMessage = "calculations error";
  const FrameResult result = decodeFrame(frame, scale, reading);
  if (result.checksumMismatch) {
    tell([](SessionObserver& o) { o.checksumMismatched(); });
    errorMessage = "checksum error";
    ReportError();
  }
  if (result.status == FrameStatus::Dropped) return;
  reading = result.reading;  // after a failure: the fields scaled before it
  if (result.powerScaled) wattsReadAt = clock.elapsedSeconds();
  if (result.status == FrameStatus::Failed) return decodingFailed(result.failure);
  // A record is always the average of what was received: a frame that
  // would overflow the interval's sums takes the error path instead.
  if (Timer1->isActive() && !sums.add(reading.voltsValue, reading.ampsValue, reading.wattsValue,
                                      reading.rpmValue, reading.windSpeed)) {
    return decodingFailed("Overflow: the interval's sums are too large");
  }
  alarms.addReading(reading.voltsValue, reading.ampsValue, reading.rpmValue, reading.windSpeed);
  errorMessage = "display list error";
  const double wattHoursToday = energy.wattHours();
  tell([&](SessionObserver& o) { o.readingAccepted(reading, wattHoursToday); });
}

void LoggerSession::decodingFailed(const std::string& failure) {
  tell([this](SessionObserver& o) { o.frameFailed(lastFrameText); });
  errorMessage = "error : " + failure;
  sums.clear();
  ReportError(failure);
}

// ---- Logging ----------------------------------------------------------------

bool LoggerSession::startLogging() {
  if (!applyInterval()) return false;
  Timer1->start();
  sums.clear();
  return true;
}

bool LoggerSession::autoStart() {
  if (!applyInterval()) return false;
  Timer1->start();
  return true;
}

void LoggerSession::stopLogging() {
  setLogging(false);
  Timer1->stop();
}

// Clamps the interval text and sets the tick's period; false (and nothing
// changed) when the text is no number.
bool LoggerSession::applyInterval() {
  auto interval = validateInterval(intervalText_);
  if (!interval) return false;
  setIntervalText(interval->delayText);
  Timer1->setInterval(interval->periodMs);
  setLogging(true);
  return true;
}

void LoggerSession::setLogging(bool started) {
  loggingStarted = started;
  tell([&](SessionObserver& o) { o.loggingChanged(started); });
}

void LoggerSession::Timer1_Timer() {
  const LocalDateTime now = clock.now();
  const TickAverage tick = averageOrRepeat(sums, lastValues);
  if (tick.noData) {
    errorMessage = kNoDataMessage;
    ReportError();
  }
  const Status written = files.appendRecord(now, tick.values, energy.wattHours());
  if (!written) {
    errorMessage = "log file write error";
    ReportError(written.error);
  }
  if (written) {
    const double wattHoursNow = energy.wattHours();
    tell([&](SessionObserver& o) { o.recordWritten(now, tick.values, wattHoursNow); });
  }
  writeTickOutputs(now, tick.values);
  sums.clear();
  tell([&](SessionObserver& o) { o.recordTicked(static_cast<bool>(written)); });
  Timer1->stop();
}

// The HTML page and the spreadsheet row; a failed HTML step skips both, silently.
void LoggerSession::writeTickOutputs(const LocalDateTime& now, const AveragedValues& values) {
  if (optionValue(config.Savehtml) == true &&
      !files.writeHtml(now, values, energy.wattHours(), config.WSUnits)) {
    return;
  }
  if (optionValue(config.SaveExcel) == true) {
    (void)files.appendSpreadsheetRow(now, values, config.WSUnits);
  }
}

void LoggerSession::Timer3_Timer() {
  // A silent board or a closed port makes nothing: the last reading is not
  // counted on. The day still closes at midnight.
  const bool fresh = MSComm1.isOpen() && readingIsFresh(wattsReadAt, clock.elapsedSeconds());
  auto midnight =
      energy.tick(clock.now(), fresh ? std::optional(reading.wattsValue) : std::nullopt);
  if (fresh) tell([](SessionObserver& o) { o.wattHoursCounted(); });
  if (!midnight) return;
  if (Status written = files.appendWattHoursLine(*midnight); !written) {
    errorMessage = "watt-hours file write error";
    ReportError(written.error);
  }
}

// ---- Leaving ----------------------------------------------------------------------

void LoggerSession::leave() {
  if (left) return;
  left = true;
  Timer1->stop();
  Timer3->stop();
  AlarmTimer->stop();
  // Changes still held are written down; a command started now would be ended at once.
  for (const AlarmTelling& told : alarmPacer.flush(clock.elapsedSeconds(), clock.now())) {
    tellAlarm(told, false);
  }
  if (Status written = files.appendWattHoursLine(leavingLine(clock.now(), energy.wattHours()));
      !written) {
    errorMessage = "watt-hours file write error";
    ReportError(written.error);  // the error log is the last place it can still go
  }
  MSComm1.close();
  portClosed();
  tell([](SessionObserver& o) { o.sessionLeft(); });
}

void LoggerSession::connectHandlers() {
  connect(Timer1, &QTimer::timeout, this, &LoggerSession::Timer1_Timer);
  connect(Timer3, &QTimer::timeout, this, &LoggerSession::Timer3_Timer);
  connect(AlarmTimer, &QTimer::timeout, this, &LoggerSession::AlarmTimer_Timer);
  connect(&MSComm1, &SerialControl::received, this, [this](const QByteArray& text) {
    MSComm1_OnComm(std::string_view(text.constData(), static_cast<size_t>(text.size())));
  });
  // A port lost while open is reported once; the control reopens it by itself.
  connect(&MSComm1, &SerialControl::lost, this, [this](const QString& description) {
    assembler.dropPending();
    wattsReadAt.reset();
    portLost(toBytes(description));
    errorMessage = "port not available";
    ReportError(toBytes(description));
  });
  connect(&MSComm1, &SerialControl::restored, this, [this] {
    errorMessage.clear();
    assembler.dropPending();
    wattsReadAt.reset();
    portOpened();
  });
}

}  // namespace tamsel

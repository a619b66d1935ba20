#include "session/logger_session.h"

#include "logging/logging_control.h"
#include "platform/numeric_text.h"
#include "platform/qt/latin1.h"
#include "platform/serial_settings.h"
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
      alarms(programFolder, clock, observers, settings.program()) {
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
  if (programConfig().Port == "0") {
    alarms.portClosed();  // nothing is expected from a board the user has no port for
    return {};
  }
  errorMessage = "port not available";
  if (Status opened = openPort(); !opened) return {StartUp::PortFailed, opened};
  errorMessage.clear();
  if (optionValue(programConfig().LogOn) == true && !autoStart())
    return {StartUp::IntervalInvalid, {}};
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
  const Result<int> port = portNumberFromText(programConfig().Port);
  // Without a readable prog.cfg there is no port number at all: that, not
  // "no number", is what the user must hear.
  if (!port) {
    portLost(port.error());
    const std::string& problem = settings.programFileProblem();
    return problem.empty() ? port.status() : Status::failure(problem);
  }
  Status opened = MSComm1.open(*port, programConfig().BR + ",N,8,1");
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
  alarms.portOpened();
  tell([](SessionObserver& o) { o.portOpened(); });
}

void LoggerSession::portLost(const std::string& why) {
  alarms.portLost();
  tell([&](SessionObserver& o) { o.portLost(why); });
}

void LoggerSession::portClosed() {
  alarms.portClosed();
  tell([](SessionObserver& o) { o.portClosed(); });
}

// ---- Configuration ----------------------------------------------------------

Status LoggerSession::LoadConfiguration() {
  const Status loaded = settings.load(programFolder, observers,
                                      [this](const std::string& delay) { setIntervalText(delay); });
  // Alarms are read whatever became of prog.cfg: they watch the board, and
  // how their problems are reported (dispMessages) is known by now if at all.
  alarms.load();
  return loaded;
}

void LoggerSession::setIntervalText(const std::string& delayText) {
  if (delayText == intervalText_) return;
  intervalText_ = delayText;
  tell([this](SessionObserver& o) { o.intervalShown(intervalText_); });
}

void LoggerSession::AlarmTimer_Timer() {
  alarms.tick();
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
  const FrameResult result = decodeFrame(frame, settings.scale(), reading);
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
  alarms.addReading(reading);
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
  if (optionValue(programConfig().Savehtml) == true &&
      !files.writeHtml(now, values, energy.wattHours(), programConfig().WSUnits)) {
    return;
  }
  if (optionValue(programConfig().SaveExcel) == true) {
    (void)files.appendSpreadsheetRow(now, values, programConfig().WSUnits);
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
  alarms.flush();  // changes still held are written down
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

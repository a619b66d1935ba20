#include "app/orvane_logger.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "app/error_report.h"
#include "history/graph.h"
#include "logging/logging_control.h"
#include "platform/numeric_text.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/qt/picture_box.h"
#include "platform/serial_settings.h"
#include "platform/text_file.h"
#include "platform/twips.h"
#include "setup/calibrate.h"
#include "setup/program_setup.h"
#include "telemetry/frame_decoder.h"

namespace tamsel {
namespace {

const QColor kRed = rgb(255, 0, 0);
const QColor kBlue = rgb(0, 0, 255);
const QColor kGreen = rgb(0, 255, 0);
constexpr int kClientWidthTwips = 10575;
constexpr int kClientHeightTwips = 6075;

}  // namespace

OrvaneLogger::OrvaneLogger(Services services, QWidget* parent)
    : QWidget(parent),
      programFolder(std::move(services.programFolder)),
      clock(services.clock),
      dialogs(services.dialogs),
      MSComm1(services.MSComm1),
      MSComm2(services.MSComm2),
      files(programFolder),
      energy(clock.now()),
      scale(scaleFrom(calibration)) {
  buildForm(this);
  connectHandlers();
  resize(twipsToPixels(kClientWidthTwips, logicalDpiX()),
         twipsToPixels(kClientHeightTwips, logicalDpiY()));
  Timer3->start();
}

// ---- Start-up -------------------------------------------------------------

void OrvaneLogger::Form_Load() {
  if (runStartUp() == StartUp::PortFailed) portProblemLoop();
}

OrvaneLogger::StartUp OrvaneLogger::runStartUp() {
  resetDisplay();
  files.makeFolders();
  (void)LoadConfiguration();  // a failure part-way leaves what was read; start-up goes on
  recountToday();
  if (config.Port == "0") return StartUp::Done;
  errorMessage = "port not available";
  if (Status opened = openPort(); !opened) {
    ReportError(opened.error);
    return StartUp::PortFailed;
  }
  errorMessage.clear();
  if (optionValue(config.LogOn) == true) autoStart();
  return StartUp::Done;
}

void OrvaneLogger::resetDisplay() {
  caption = "Tamsel - Waiting for Signal";
  setWindowTitle(fromBytes(caption));
  Label2->setText(QStringLiteral(" Waiting for COMM data"));
  setTextColour(ErrorString, kBlue);
  ErrorString->setText(QStringLiteral(" Error trap message  -     "));
  StopLogging->setEnabled(false);
  reading = Reading{};
  energy = EnergyCounter(clock.now());  // the total belongs to today from here on
}

void OrvaneLogger::recountToday() {
  // The interval of the records is taken to be the one configured now.
  // A box that holds no number adds nothing, but the day's file is still made.
  const double interval = numericValue(toBytes(delay->text())).value_or(0);
  energy.setWattHours(energy.wattHours() + files.recountDay(clock.now(), interval));
}

Status OrvaneLogger::openPort() {
  const Result<int> port = portNumberFromText(config.Port);
  if (!port) return port.status();
  Status opened = MSComm1.open(*port, config.BR + ",N,8,1");
  // A new connection starts clean: text cut off by the last one never
  // mixes into its first frame.
  if (opened) assembler.dropPending();
  return opened;
}

void OrvaneLogger::autoStart() {
  if (!applyInterval()) return;
  Timer1->start();
}

// Each pass: the message, the setup window, start-up again; until the port
// opens or the user has chosen to run without one.
void OrvaneLogger::portProblemLoop() {
  do {
    PortProblem();
  } while (runStartUp() == StartUp::PortFailed);
}

void OrvaneLogger::PortProblem() {
  Label2->setText(QStringLiteral("     possible COMMS problem"));
  dialogs.message(this,
                  QStringLiteral("There is a possible Port Number problem. Check available PORTS"));
  showSetupWindow();
}

void OrvaneLogger::showSetupWindow() {
  ProgramSetup window(programFolder, dialogs, this);
  dialogs.showModal(window);
}

// ---- Configuration ----------------------------------------------------------

Status OrvaneLogger::LoadConfiguration() {
  auto program = readWholeFile(programConfigPath(programFolder));
  if (!program) return Status::failure("prog.cfg: " + program.error());
  const KeysRead read = readProgramConfigStrict(*program, config);
  if (read.has("LogDelay")) delay->setText(fromBytes(config.LogDelay));
  if (Status applied = applyProgramValues(read); !applied) return applied;

  auto settings = readWholeFile(calibrationPath(programFolder));
  if (!settings) return Status::failure("settings.cfg: " + settings.error());
  const KeysRead calibrated = readCalibrationStrict(*settings, calibration);
  scale = scaleFrom(calibration);
  return calibrated.status;
}

Status OrvaneLogger::applyProgramValues(const KeysRead& read) {
  if (!read.status) return read.status;
  delay->setEnabled(false);
  ListView1->clear();  // rebuilding starts by emptying the list, even if it then fails
  auto showRPM = optionValue(config.DisplayRPM);
  auto showWindSpeed = optionValue(config.DisplayWS);
  if (!showRPM || !showWindSpeed) return Status::failure("DisplayRPM or DisplayWS is no number");
  listOptions = {*showRPM, *showWindSpeed, config.WSUnits};
  rebuildList();
  auto messages = optionValue(config.dispMessages);
  if (!messages) return Status::failure("dispMessages is no number");
  setOuterHeight(*messages ? 5900 : 5025, *messages ? LowerBand::Shown : LowerBand::Hidden);
  return {};
}

// ---- Errors ---------------------------------------------------------------

void OrvaneLogger::ReportError(const std::string& errorText) {
  const LocalDateTime now = clock.now();
  const ErrorReport report{errorMessage, errorText, lastFrameText};
  if (optionValue(config.dispMessages) == true) {
    // Best effort: the error log has nowhere further to report its own failure.
    (void)appendLine(programFolder + "/errorlog.txt", errorLogLine(now, report));
  }
  ErrorString->setText(fromBytes(trappedMessage(now, report)));
  setTextColour(ErrorString, kRed);
}

void OrvaneLogger::Check1_Click() {
  if (Check1->isChecked()) {
    setOuterHeight(6100, LowerBand::Shown);
  } else {
    setOuterHeight(5050, LowerBand::Hidden);
  }
  ErrorString->clear();
}

// The heights are outer heights, drawn for a thick frame. Under a thinner
// one a height meant to hide the lower band would let it peek out, so then
// the client area ends where the band begins.
void OrvaneLogger::setOuterHeight(int twips, LowerBand band) {
  outerHeight = twips;
  lowerBand = band;
  frameHeightApplied = frameGeometry().height() - geometry().height();
  int client = twipsToPixels(twips, logicalDpiY()) - frameHeightApplied;
  if (band == LowerBand::Hidden) {
    client = std::min(client, twipsToPixels(kLowerBandTopTwips, logicalDpiY()));
  }
  resize(width(), client);
}

// The window manager adds its frame some time after the window is shown;
// the heights are outer heights, so they are set again once it is known.
bool OrvaneLogger::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if ((event->type() == QEvent::Move || event->type() == QEvent::Show) && outerHeight > 0 &&
      frameGeometry().height() - geometry().height() != frameHeightApplied) {
    setOuterHeight(outerHeight, lowerBand);
  }
  return handled;
}

// ---- Receiving ----------------------------------------------------------------

void OrvaneLogger::MSComm1_OnComm(std::string_view text) {
  assembler.append(text);
  // Data re-arms the logging tick only while logging is started, so "Stop" stops records.
  if (loggingStarted && !Timer1->isActive()) Timer1->start();
  assembler.takeFrames([this](std::string_view frame) { takeFrame(frame); });
}

void OrvaneLogger::takeFrame(std::string_view frame) {
  lastFrameText.assign(frame);
  Label2->setText(fromBytes(frame));
  blink(BlinkData);
  errorMessage = "calculations error";
  const FrameResult result = decodeFrame(frame, scale, reading);
  if (result.checksumMismatch) {
    errorMessage = "checksum error";
    ReportError();
  }
  if (result.status == FrameStatus::Dropped) return;
  reading = result.reading;  // after a failure: the fields scaled before it
  if (result.status == FrameStatus::Failed) return decodingFailed(result.failure);
  // A record is always the average of what was received: a frame that
  // would overflow the interval's sums takes the error path instead.
  if (Timer1->isActive() && !sums.add(reading.voltsValue, reading.ampsValue, reading.wattsValue,
                                      reading.rpmValue, reading.windSpeed)) {
    return decodingFailed("Overflow: the interval's sums are too large");
  }
  errorMessage = "display list error";
  showReading();
  if (livePlot.isOn()) {
    livePlot.addReading(GraphPlot->display(), reading.rpmValue, reading.wattsValue, config.MP);
    GraphPlot->showNewLines();
  }
}

void OrvaneLogger::decodingFailed(const std::string& failure) {
  Label2->setText(fromBytes("program execution error : \r\n" + lastFrameText));
  errorMessage = "error : " + failure;
  sums.clear();
  ReportError(failure);
}

// ---- Live display -------------------------------------------------------------

void OrvaneLogger::rebuildList() {
  ListView1->clear();
  ListView1->setHeaderHidden(true);
  ListView1->setFont(QFont(QString::fromLatin1(kListFontName), listFontPoints(listOptions)));
  ListView1->setColumnCount(3);
  const int widths[] = {1, 1500, 2600};
  for (int column = 0; column < 3; ++column) {
    ListView1->setColumnWidth(column, twipsToPixels(widths[column], logicalDpiX()));
  }
  showRows(initialRows(listOptions));
}

// Rows are rebuilt only when the configuration changes their number; a
// reading changes texts in place, so each frame repaints what it changed.
void OrvaneLogger::showRows(const std::vector<ListRow>& rows) {
  if (ListView1->topLevelItemCount() != static_cast<int>(rows.size())) {
    ListView1->clear();
    for (size_t i = 0; i < rows.size(); ++i) new QTreeWidgetItem(ListView1);
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    QTreeWidgetItem* item = ListView1->topLevelItem(static_cast<int>(i));
    const QString value = fromBytes(rows[i].value), name = fromBytes(rows[i].name);
    if (item->text(1) != value) item->setText(1, value);
    if (item->text(2) != name) item->setText(2, name);
  }
}

void OrvaneLogger::showReading() {
  showRows(readingRows(reading, energy.wattHours(), listOptions));
  if (std::string shown = readingCaption(reading); shown != caption) {
    caption = std::move(shown);
    setWindowTitle(fromBytes(caption));
  }
}

void OrvaneLogger::blink(QPushButton* indicator) {
  setBackColour(indicator, kRed);
  // A running blink is not restarted, or a fast line would keep it lit.
  if (!Timer2->isActive()) Timer2->start();
}

void OrvaneLogger::Timer2_Timer() {
  setBackColour(BlinkData, buttonFace());
  setBackColour(BlinkLog, buttonFace());
  Timer2->stop();
}

// ---- Live plot ------------------------------------------------------------------

void OrvaneLogger::GraphDisplay_Click() {
  if (GraphDisplay->isChecked()) {
    setOuterWidthTwips(this, kWidthWithPlotTwips);
    livePlot.switchOn(GraphPlot->display(), config.MR, config.MP);
  } else {
    setOuterWidthTwips(this, kWidthWithoutPlotTwips);
    livePlot.switchOff(GraphPlot->display());
  }
  GraphPlot->update();
}

// ---- Logging ----------------------------------------------------------------

void OrvaneLogger::StartLogging_Click() {
  if (!applyInterval()) {
    dialogs.message(this, fromBytes(kInvalidDelayMessage));
    return;
  }
  Timer1->start();
  sums.clear();
}

void OrvaneLogger::StopLogging_Click() {
  setLoggingControls(false);
  Timer1->stop();
}

// Clamps the interval box, sets the tick's period and locks the panel; false
// (and nothing changed) when the box holds no number.
bool OrvaneLogger::applyInterval() {
  auto interval = validateInterval(toBytes(delay->text()));
  if (!interval) return false;
  delay->setText(fromBytes(interval->delayText));
  Timer1->setInterval(interval->periodMs);
  setLoggingControls(true);
  return true;
}

void OrvaneLogger::setLoggingControls(bool started) {
  loggingStarted = started;
  for (QWidget* control : {static_cast<QWidget*>(delay), static_cast<QWidget*>(StartLogging),
                           static_cast<QWidget*>(Setup), static_cast<QWidget*>(CalibrateButton)}) {
    control->setEnabled(!started);
  }
  StopLogging->setEnabled(started);
}

void OrvaneLogger::Timer1_Timer() {
  blink(BlinkLog);
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
  writeTickOutputs(now, tick.values);
  sums.clear();
  // A write error stays in view until a record is written again.
  if (written && intervalNeedsCaution(toBytes(delay->text()))) {
    ErrorString->setText(fromBytes(kShortIntervalCaution));
  }
  Timer1->stop();
}

// The HTML page and the spreadsheet row; a failed HTML step skips both, silently.
void OrvaneLogger::writeTickOutputs(const LocalDateTime& now, const AveragedValues& values) {
  if (optionValue(config.Savehtml) == true &&
      !files.writeHtml(now, values, energy.wattHours(), config.WSUnits)) {
    return;
  }
  if (optionValue(config.SaveExcel) == true) {
    (void)files.appendSpreadsheetRow(now, values, config.WSUnits);
  }
}

void OrvaneLogger::Timer3_Timer() {
  auto midnight = energy.tick(clock.now(), reading.wattsValue);
  if (!midnight) return;
  if (Status written = files.appendWattHoursLine(*midnight); !written) {
    errorMessage = "watt-hours file write error";
    ReportError(written.error);
  }
}

// ---- Setup, leaving ------------------------------------------------------------

void OrvaneLogger::Setup_Click() {
  errorMessage = "port not available";
  MSComm1.close();
  showSetupWindow();
  reloadAndReopen({}, LinesAfter::Kept);
}

void OrvaneLogger::CalibrateButton_Click() {
  errorMessage = "port not available";
  MSComm1.close();
  reloadAndReopen(showCalibrationWindow(), LinesAfter::Cleared);
}

// The calibration window owns the port while it is open; a window that
// cannot load (the port will not open) is not shown.
Status OrvaneLogger::showCalibrationWindow() {
  Calibrate window(programFolder, MSComm2, dialogs, this);
  if (Status loaded = window.Form_Load(); !loaded) return loaded;
  dialogs.showModal(window);
  return {};
}

// After a configuration window: both files again, so changes take effect at
// once, then the port. The first failure is reported and the port-problem
// loop takes over, which also brings the port back.
void OrvaneLogger::reloadAndReopen(Status step, LinesAfter lines) {
  if (step) step = LoadConfiguration();
  if (step && lines == LinesAfter::Cleared) {
    ErrorString->clear();
    setTextColour(ErrorString, kGreen);
    Label2->clear();
  }
  if (step) step = openPort();
  if (!step) {
    ReportError(step.error);
    portProblemLoop();
  }
}

// The history window reads the files itself; receiving and logging go on
// while it is open.
void OrvaneLogger::ShowLogs_Click() {
  Graph window(programFolder, clock, dialogs, this);
  dialogs.showModal(window);
}

void OrvaneLogger::Exit_Click() {
  leave();
  close();
}

// Closing by the window frame leaves the same way as "Exit", so the day's
// total is never lost.
void OrvaneLogger::closeEvent(QCloseEvent* event) {
  leave();
  event->accept();
}

void OrvaneLogger::leave() {
  if (left) return;
  left = true;
  Timer1->stop();
  Timer3->stop();
  if (Status written = files.appendWattHoursLine(leavingLine(clock.now(), energy.wattHours()));
      !written) {
    errorMessage = "watt-hours file write error";
    ReportError(written.error);  // the error log is the last place it can still go
  }
  MSComm1.close();
}

// ---- Wiring ----------------------------------------------------------------------

void OrvaneLogger::connectHandlers() {
  connect(StartLogging, &QPushButton::clicked, this, &OrvaneLogger::StartLogging_Click);
  connect(StopLogging, &QPushButton::clicked, this, &OrvaneLogger::StopLogging_Click);
  connect(Setup, &QPushButton::clicked, this, &OrvaneLogger::Setup_Click);
  connect(ShowLogs, &QPushButton::clicked, this, &OrvaneLogger::ShowLogs_Click);
  connect(CalibrateButton, &QPushButton::clicked, this, &OrvaneLogger::CalibrateButton_Click);
  connect(Exit, &QPushButton::clicked, this, &OrvaneLogger::Exit_Click);
  // Setting the box from code counts as a click, as users of the form expect.
  connect(Check1, &QCheckBox::toggled, this, &OrvaneLogger::Check1_Click);
  connect(GraphDisplay, &QCheckBox::toggled, this, &OrvaneLogger::GraphDisplay_Click);
  connect(Timer1, &QTimer::timeout, this, &OrvaneLogger::Timer1_Timer);
  connect(Timer2, &QTimer::timeout, this, &OrvaneLogger::Timer2_Timer);
  connect(Timer3, &QTimer::timeout, this, &OrvaneLogger::Timer3_Timer);
  connect(&MSComm1, &SerialControl::received, this, [this](const QByteArray& text) {
    MSComm1_OnComm(std::string_view(text.constData(), static_cast<size_t>(text.size())));
  });
  // A port lost while open is reported once; the control reopens it by itself.
  connect(&MSComm1, &SerialControl::lost, this, [this](const QString& description) {
    assembler.dropPending();
    errorMessage = "port not available";
    ReportError(toBytes(description));
  });
  connect(&MSComm1, &SerialControl::restored, this, [this] {
    errorMessage.clear();
    assembler.dropPending();
  });
}

}  // namespace tamsel

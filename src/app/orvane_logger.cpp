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
#include <utility>

#include "app/alarm_rows.h"
#include "history/graph.h"
#include "logging/logging_control.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/qt/picture_box.h"
#include "platform/twips.h"
#include "setup/calibrate.h"
#include "setup/program_setup.h"

namespace tamsel {
namespace {

const QColor kRed = rgb(255, 0, 0);
const QColor kBlue = rgb(0, 0, 255);
const QColor kGreen = rgb(0, 255, 0);
constexpr int kClientWidthTwips = 10575;
constexpr int kClientHeightTwips = 6075;
// About two display frames: more often shows nothing a person can see.
constexpr std::chrono::milliseconds kScreenRefresh{33};

}  // namespace

OrvaneLogger::OrvaneLogger(Services services, QWidget* parent)
    : QWidget(parent),
      OrvaneLoggerForm(this),
      programFolder(services.programFolder),
      clock(services.clock),
      dialogs(services.dialogs),
      MSComm2(services.MSComm2),
      session(new LoggerSession(
          {std::move(services.programFolder), clock, services.MSComm1, std::move(services.outputs)},
          *this, this)),
      lines(*Label2, *ErrorString),
      liveList(*ListView1, [this] { return alarmRowTips(session->alarmMonitor(), listOptions); }),
      outerHeight(*this, kLowerBandTopTwips),
      screenRefresh(new PacedRefresh(
          kScreenRefresh, [this] { showPending(); }, "ScreenTimer", this)) {
  connectHandlers();
  resize(twipsToPixels(kClientWidthTwips, logicalDpiX()),
         twipsToPixels(kClientHeightTwips, logicalDpiY()));
}

// ---- Start-up -------------------------------------------------------------

void OrvaneLogger::Form_Load() {
  const bool portOpened = startUp();
  // The dashboard serves while the port problem is asked about too.
  session->startUpTold();
  if (!portOpened) portProblemLoop();
}

// An interval that is no number leaves logging stopped until the user starts it.
bool OrvaneLogger::startUp() {
  const LoggerSession::StartUpResult result = session->runStartUp();
  if (result.outcome != LoggerSession::StartUp::PortFailed) return true;
  session->ReportError(result.port.error);
  return false;
}

// Each pass: the message, the setup window, start-up again; until the port
// opens or the user has chosen to run without one. A window closed meanwhile
// (a kill, the session ending) ends it: once the program is quitting every
// dialogue returns at once, and start-up must not open the port again.
void OrvaneLogger::portProblemLoop() {
  do {
    PortProblem();
  } while (!session->hasLeft() && !startUp());
}

void OrvaneLogger::PortProblem() {
  lines.setComms(QStringLiteral("     possible COMMS problem"));
  dialogs.message(this, fromBytes(kPortProblemMessage));
  showSetupWindow();
}

void OrvaneLogger::showSetupWindow() {
  ProgramSetup window(programFolder, dialogs, this);
  dialogs.showModal(window);
}

// ---- What the session shows ---------------------------------------------------

void OrvaneLogger::displayReset() {
  pending.reading = pending.wattHours = false;
  showCaption("Tamsel - Waiting for Signal");
  lines.setComms(QStringLiteral(" Waiting for COMM data"));
  lines.setMessage(QStringLiteral(" Error trap message  -     "), kBlue);
  StopLogging->setEnabled(false);
}

void OrvaneLogger::intervalShown(const std::string& delayText) {
  if (toBytes(delay->text()) != delayText) delay->setText(fromBytes(delayText));
}

void OrvaneLogger::displayValuesApplying() {
  delay->setEnabled(false);
  ListView1->clear();
}

void OrvaneLogger::listOptionsApplied(const ListOptions& options) {
  listOptions = options;
  pending.reading = false;  // the new rows start at 0 until the next reading
  liveList.rebuild(listOptions, logicalDpiX());
}

void OrvaneLogger::messageBandApplied(bool shown) {
  outerHeight.set(shown ? 5900 : 5025,
                  shown ? OuterHeight::LowerBand::Shown : OuterHeight::LowerBand::Hidden);
}

// Every frame is taken, checked, summed and plotted as it comes; what the
// screen shows of it waits for the next refresh.
void OrvaneLogger::frameTaken(std::string_view frame) {
  lines.pendComms(fromBytes(frame));
  pending.frameArrived = true;
  screenRefresh->changed();
}

void OrvaneLogger::frameFailed(std::string_view frame) {
  lines.pendComms(fromBytes("program execution error : \r\n" + std::string(frame)));
  screenRefresh->changed();
}

void OrvaneLogger::readingAccepted(const Reading& /*reading*/, double /*wattHours*/) {
  const Reading& reading = session->currentReading();
  if (livePlot.isOn()) {
    livePlot.addReading(GraphPlot->display(), reading.rpmValue, reading.wattsValue,
                        session->programConfig().MP);
  }
  pending.reading = true;
  screenRefresh->changed();
}

void OrvaneLogger::errorTrapped(const LocalDateTime& at, const ErrorReport& report) {
  lines.pendTrapped(at, report);
  screenRefresh->changed();
}

void OrvaneLogger::noticeShown(const LocalDateTime& at, const std::string& notice) {
  lines.pendNotice(at, notice);
  screenRefresh->changed();
}

// A write error stays in view until a record is written again.
void OrvaneLogger::recordTicked(bool written) {
  blink(BlinkLog);
  if (written && intervalNeedsCaution(toBytes(delay->text()))) {
    lines.setMessage(fromBytes(kShortIntervalCaution));
  }
}

// The rows follow every change; "No data" stands on the comms line until
// frames come again.
void OrvaneLogger::alarmStateChanged(const AlarmEvent& event) {
  if (event.kind == AlarmKind::NoData && event.raised) {
    lines.pendComms(QStringLiteral("No data"));
  }
  pending.alarms = true;
  screenRefresh->changed();
}

// Shown once, as a trapped error is (a cleared one as a notice), so the
// next error still takes the line.
void OrvaneLogger::alarmChanged(const AlarmEvent& event, const std::string& line) {
  if (event.raised) {
    lines.pendTrapped(event.at, {line, {}, {}});
  } else {
    lines.pendNotice(event.at, line);
  }
  screenRefresh->changed();
}

// The WattHours row follows the running total between frames too, so the
// window, the dashboard and the leaving line tell the same figure.
void OrvaneLogger::wattHoursCounted() {
  pending.wattHours = true;
  screenRefresh->changed();
}

void OrvaneLogger::ScreenTimer_Timer() {
  screenRefresh->refreshNow();
}

void OrvaneLogger::showPending() {
  lines.showPending();
  if (std::exchange(pending.frameArrived, false)) blink(BlinkData);
  if (std::exchange(pending.alarms, false)) liveList.showAlarms();
  if (std::exchange(pending.reading, false)) {
    const Reading& reading = session->currentReading();
    liveList.showRows(readingRows(reading, session->wattHours(), listOptions));
    showCaption(readingCaption(reading));
    if (livePlot.isOn()) GraphPlot->showNewLines();
  }
  if (std::exchange(pending.wattHours, false)) {
    liveList.showWattHours(wattHoursText(session->wattHours()));
  }
}

void OrvaneLogger::loggingChanged(bool started) {
  for (QWidget* control : {static_cast<QWidget*>(delay), static_cast<QWidget*>(StartLogging),
                           static_cast<QWidget*>(Setup), static_cast<QWidget*>(CalibrateButton)}) {
    control->setEnabled(!started);
  }
  StopLogging->setEnabled(started);
}

// The caption alone: people read the values off the taskbar and scripts
// read the title, so nothing is added to it (the setup window names the folder).
void OrvaneLogger::showCaption(std::string shown) {
  if (shown == caption) return;
  caption = std::move(shown);
  setWindowTitle(fromBytes(caption));
}

// ---- Message lines ------------------------------------------------------------

void OrvaneLogger::Check1_Click() {
  if (Check1->isChecked()) {
    outerHeight.set(6100, OuterHeight::LowerBand::Shown);
  } else {
    outerHeight.set(5050, OuterHeight::LowerBand::Hidden);
  }
  lines.setMessage({});
}

bool OrvaneLogger::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::Move || event->type() == QEvent::Show) {
    outerHeight.frameMayHaveChanged();
  }
  return handled;
}

// ---- Live display -------------------------------------------------------------

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
    livePlot.switchOn(GraphPlot->display(), session->programConfig().MR,
                      session->programConfig().MP);
  } else {
    setOuterWidthTwips(this, kWidthWithoutPlotTwips);
    livePlot.switchOff(GraphPlot->display());
  }
  GraphPlot->update();
}

// ---- Logging ----------------------------------------------------------------

void OrvaneLogger::StartLogging_Click() {
  if (!session->startLogging()) dialogs.message(this, fromBytes(kInvalidDelayMessage));
}

void OrvaneLogger::StopLogging_Click() {
  session->stopLogging();
}

// ---- Setup, leaving ------------------------------------------------------------

void OrvaneLogger::Setup_Click() {
  session->releasePort();
  showSetupWindow();
  reloadAndReopen({}, LinesAfter::Kept);
}

void OrvaneLogger::CalibrateButton_Click() {
  session->releasePort();
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
void OrvaneLogger::reloadAndReopen(Status step, LinesAfter linesAfter) {
  if (session->hasLeft()) return;
  if (step) step = session->LoadConfiguration();
  if (step && linesAfter == LinesAfter::Cleared) {
    lines.setMessage({}, kGreen);
    lines.setComms({});
  }
  if (step) step = session->openPort();
  if (!step) {
    session->ReportError(step.error);
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
  session->leave();
  close();
}

// Closing by the window frame leaves the same way as "Exit", so the day's
// total is never lost.
void OrvaneLogger::closeEvent(QCloseEvent* event) {
  session->leave();
  event->accept();
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
  connect(Timer2, &QTimer::timeout, this, &OrvaneLogger::Timer2_Timer);
  // The box is the session's interval text, whoever changes it.
  connect(delay, &QLineEdit::textChanged, this,
          [this](const QString& text) { session->setIntervalText(toBytes(text)); });
}

}  // namespace tamsel

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
const QColor kWhite = rgb(255, 255, 255);
constexpr int kClientWidthTwips = 10575;
constexpr int kClientHeightTwips = 6075;
// About two display frames: more often shows nothing a person can see.
constexpr std::chrono::milliseconds kScreenRefresh{33};

}  // namespace

OrvaneLogger::OrvaneLogger(Services services, QWidget* parent)
    : QWidget(parent),
      programFolder(services.programFolder),
      clock(services.clock),
      dialogs(services.dialogs),
      MSComm2(services.MSComm2),
      session(new LoggerSession(
          {std::move(services.programFolder), clock, services.MSComm1, std::move(services.outputs)},
          *this, this)),
      screenRefresh(new PacedRefresh(
          kScreenRefresh, [this] { showPending(); }, "ScreenTimer", this)) {
  buildForm(this);
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
  setCommsLine(QStringLiteral("     possible COMMS problem"));
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
  setCommsLine(QStringLiteral(" Waiting for COMM data"));
  setMessageLine(QStringLiteral(" Error trap message  -     "), kBlue);
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
  rebuildList();
}

void OrvaneLogger::messageBandApplied(bool shown) {
  setOuterHeight(shown ? 5900 : 5025, shown ? LowerBand::Shown : LowerBand::Hidden);
}

// Every frame is taken, checked, summed and plotted as it comes; what the
// screen shows of it waits for the next refresh.
void OrvaneLogger::frameTaken(std::string_view frame) {
  pending.commsLine = fromBytes(frame);
  pending.frameArrived = true;
  screenRefresh->changed();
}

void OrvaneLogger::frameFailed(std::string_view frame) {
  pending.commsLine = fromBytes("program execution error : \r\n" + std::string(frame));
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
  pending.messageLine = fromBytes(trappedMessage(at, report));
  pending.messageColour = kRed;
  screenRefresh->changed();
}

void OrvaneLogger::noticeShown(const LocalDateTime& at, const std::string& notice) {
  pending.messageLine = fromBytes("  " + longTime(at) + "  ---  " + notice);
  pending.messageColour = kBlue;
  screenRefresh->changed();
}

// A write error stays in view until a record is written again.
void OrvaneLogger::recordTicked(bool written) {
  blink(BlinkLog);
  if (written && intervalNeedsCaution(toBytes(delay->text()))) {
    setMessageLine(fromBytes(kShortIntervalCaution));
  }
}

// The rows follow every change; "No data" stands on the comms line until
// frames come again.
void OrvaneLogger::alarmStateChanged(const AlarmEvent& event) {
  if (event.kind == AlarmKind::NoData && event.raised) {
    pending.commsLine = QStringLiteral("No data");
  }
  pending.alarms = true;
  screenRefresh->changed();
}

// Shown once, as a trapped error is (a cleared one as a notice), so the
// next error still takes the line.
void OrvaneLogger::alarmChanged(const AlarmEvent& event, const std::string& line) {
  if (event.raised) {
    pending.messageLine = fromBytes(trappedMessage(event.at, {line, {}, {}}));
    pending.messageColour = kRed;
  } else {
    pending.messageLine = fromBytes("  " + longTime(event.at) + "  ---  " + line);
    pending.messageColour = kBlue;
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
  if (pending.commsLine) Label2->setText(*std::exchange(pending.commsLine, std::nullopt));
  if (pending.messageLine) {
    ErrorString->setText(*std::exchange(pending.messageLine, std::nullopt));
    setTextColour(ErrorString, pending.messageColour);
  }
  if (std::exchange(pending.frameArrived, false)) blink(BlinkData);
  if (std::exchange(pending.alarms, false)) showAlarmRows();
  if (std::exchange(pending.reading, false)) {
    const Reading& reading = session->currentReading();
    showRows(readingRows(reading, session->wattHours(), listOptions));
    showCaption(readingCaption(reading));
    if (livePlot.isOn()) GraphPlot->showNewLines();
  }
  if (std::exchange(pending.wattHours, false)) {
    if (QTreeWidgetItem* row = ListView1->topLevelItem(kWattHoursRow)) {
      row->setText(1, fromBytes(wattHoursText(session->wattHours())));
    }
  }
}

void OrvaneLogger::setCommsLine(const QString& text) {
  pending.commsLine.reset();
  Label2->setText(text);
}

// A text set without a colour keeps the colour of the report it replaces,
// shown or not.
void OrvaneLogger::setMessageLine(const QString& text, std::optional<QColor> colour) {
  if (std::exchange(pending.messageLine, std::nullopt) && !colour) colour = pending.messageColour;
  ErrorString->setText(text);
  if (colour) setTextColour(ErrorString, *colour);
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
    setOuterHeight(6100, LowerBand::Shown);
  } else {
    setOuterHeight(5050, LowerBand::Hidden);
  }
  setMessageLine({});
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

// ---- Live display -------------------------------------------------------------

void OrvaneLogger::rebuildList() {
  pending.reading = false;  // the new rows start at 0 until the next reading
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
    showAlarmRows();
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    QTreeWidgetItem* item = ListView1->topLevelItem(static_cast<int>(i));
    const QString value = fromBytes(rows[i].value), name = fromBytes(rows[i].name);
    if (item->text(1) != value) item->setText(1, value);
    if (item->text(2) != name) item->setText(2, name);
  }
}

void OrvaneLogger::showAlarmRows() {
  const std::vector<std::string> tips = alarmRowTips(session->alarmMonitor(), listOptions);
  for (int i = 0; i < ListView1->topLevelItemCount() && i < static_cast<int>(tips.size()); ++i) {
    QTreeWidgetItem* item = ListView1->topLevelItem(i);
    const QString tip = fromBytes(tips[static_cast<size_t>(i)]);
    if (item->toolTip(1) == tip && item->data(1, Qt::BackgroundRole).isValid() == !tip.isEmpty()) {
      continue;
    }
    for (int column = 0; column < 3; ++column) {
      item->setToolTip(column, tip);
      item->setData(column, Qt::BackgroundRole, tip.isEmpty() ? QVariant() : QVariant(kRed));
      item->setData(column, Qt::ForegroundRole, tip.isEmpty() ? QVariant() : QVariant(kWhite));
    }
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
    livePlot.switchOn(GraphPlot->display(), session->programConfig().MR,
                      session->programConfig().MP);
  } else {
    setOuterWidthTwips(this, kWidthWithoutPlotTwips);
    livePlot.switchOff(GraphPlot->display());
  }
  GraphPlot->update();
}

// ---- Logging ----------------------------------------------------------------

void OrvaneLogger::MSComm1_OnComm(std::string_view text) {
  session->MSComm1_OnComm(text);
}

void OrvaneLogger::StartLogging_Click() {
  if (!session->startLogging()) dialogs.message(this, fromBytes(kInvalidDelayMessage));
}

void OrvaneLogger::StopLogging_Click() {
  session->stopLogging();
}
void OrvaneLogger::Timer1_Timer() {
  session->Timer1_Timer();
}
void OrvaneLogger::Timer3_Timer() {
  session->Timer3_Timer();
}
void OrvaneLogger::AlarmTimer_Timer() {
  session->AlarmTimer_Timer();
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
void OrvaneLogger::reloadAndReopen(Status step, LinesAfter lines) {
  if (session->hasLeft()) return;
  if (step) step = session->LoadConfiguration();
  if (step && lines == LinesAfter::Cleared) {
    setMessageLine({}, kGreen);
    setCommsLine({});
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

#include "history/graph.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "history/day_file.h"
#include "history/history_export.h"
#include "history/power_curve.h"
#include "logging/day_file_name.h"
#include "performance/performance_window.h"
#include "platform/qt/latin1.h"
#include "platform/qt/picture_box.h"

namespace tamsel {
namespace {

const QColor kWindowColour(0, 192, 0);
constexpr Rgb kChartColour{64, 64, 64};

void setBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

Graph::Graph(std::string programFolder, const Clock& clock, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      programFolder(std::move(programFolder)),
      clock(clock),
      dialogs(dialogs),
      store(std::make_unique<HistoryStore>()) {
  setObjectName(QStringLiteral("Graph"));
  setWindowTitle(QStringLiteral("Log History"));
  buildForm();
  setScreenColours();
  connectHandlers();
  Form_Load();
}

Graph::~Graph() = default;

void Graph::connectHandlers() {
  connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    dirPath = QDir::cleanPath(dirPath + QLatin1Char('/') + item->text());
    Dir1_Change();
  });
  connect(File1, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { File1_Click(item->text()); });
  connect(DisplayButton, &QPushButton::clicked, this, [this] { DisplayButton_Click(); });
  // A value set from code runs the handler as a click does.
  const std::pair<QCheckBox*, void (Graph::*)()> checks[] = {
      {CheckVolts, &Graph::CheckVolts_Click}, {CheckAmps, &Graph::CheckAmps_Click},
      {CheckWatts, &Graph::CheckWatts_Click}, {CheckRPM, &Graph::CheckRPM_Click},
      {CheckWS, &Graph::CheckWS_Click},       {CheckScaling, &Graph::CheckScaling_Click}};
  for (const auto& [box, handler] : checks)
    connect(box, &QCheckBox::toggled, this, [this, handler = handler] { (this->*handler)(); });
  connect(XAxisTime, &QRadioButton::toggled, this, [this](bool on) {
    if (on) XAxisTime_Click();
  });
  connect(XAxisRPM, &QRadioButton::toggled, this, [this](bool on) {
    if (on) XAxisRPM_Click();
  });
  connect(Plot, &PictureBox::mouseMoved, this, &Graph::Plot_MouseMove);
  connect(Plot, &PictureBox::mousePressed, this, &Graph::Plot_MouseDown);
  connect(Plot, &PictureBox::mouseReleased, this, &Graph::Plot_MouseUp);
  connect(CSV, &QPushButton::clicked, this, [this] { CSV_Click(); });
  connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButton_Click(); });
  connect(PerformanceButton, &QPushButton::clicked, this, [this] { PerformanceButton_Click(); });
  connect(ExitGraphsButton, &QPushButton::clicked, this, [this] { ExitGraphsButton_Click(); });
}

std::string Graph::logsFolder() const {
  return programFolder + "/logs";
}

RangeBoxes Graph::rangeBoxes() const {
  return {toBytes(Time1h->text()), toBytes(Time1m->text()), toBytes(Time2h->text()),
          toBytes(Time2m->text())};
}

void Graph::showCheck(QCheckBox* box, bool ticked) {
  box->setChecked(!ticked);  // so the handler runs even when it already shows the value
  box->setChecked(ticked);
}

void Graph::Form_Load() {
  dirPath = QString::fromLocal8Bit(logsFolder());
  Dir1_Change();
  Result<HistorySettings> loaded = loadHistorySettings(programFolder);
  if (!loaded)
    dialogs.message(this, fromBytes(cannotReadMessage("prog.cfg", loaded.error())) +
                              QStringLiteral("\nThe window uses the default settings."));
  settings = loaded ? *loaded : readHistorySettings({});
  for (QCheckBox* box : {CheckVolts, CheckAmps, CheckWatts, CheckRPM, CheckScaling})
    showCheck(box, true);
  showCheck(CheckWS, false);
  scaled = showVolts = showAmps = showWatts = showRpm = 1;
  showWind = 0;
  firstShown = lastShown = 0;
  FileName->setText(fromBytes(dayFileName(clock.now())));
  DisplayButton_Click();
}

void Graph::Dir1_Change() {
  const QDir folder(dirPath);
  Dir1->clear();
  Dir1->addItem(QStringLiteral(".."));
  Dir1->addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
  Dir1->setToolTip(folder.absolutePath());
  Dir1->setAccessibleDescription(folder.absolutePath());
  File1->clear();
  for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
    if (isDayFileName(toBytes(name))) File1->addItem(name);
}

void Graph::File1_Click(const QString& name) {
  // Collected while FileName and energyWh still describe the day shown; a
  // day that drew no chart has no energy of its own to collect.
  if (Collate->isChecked() && drawn) CollateDayEnergy();
  FileName->setText(name);
  Time1h->setText(QStringLiteral("00"));
  Time2h->setText(QStringLiteral("23"));
  Time1m->setText(QStringLiteral("00"));
  Time2m->setText(QStringLiteral("59"));
  DisplayButton_Click();
}

void Graph::DisplayButton_Click() {
  const RangeBoxes boxes = rangeBoxes();
  if (const std::optional<std::string> problem = rangeBoxProblem(boxes)) {
    dialogs.message(this, fromBytes(*problem));
    return;
  }
  range = timeRangeOf(boxes);
  const std::string name = toBytes(FileName->text());
  const Result<std::string> text = readDayFile(logsFolder() + "/" + name);
  recordCount = 0;
  zoom.finish();
  const LoadOutcome outcome = text ? loadHistory(*text, range, *store) : LoadOutcome{};
  recordCount = outcome.recordCount;
  if (!text || outcome.tooMany || recordCount == 0) {
    // Nothing of an earlier day stays under this day's name.
    recordCount = 0;
    firstShown = lastShown = 0;
    DrawTimeChart();
    dialogs.message(this, fromBytes(!text             ? cannotReadMessage(name, text.error())
                                    : outcome.tooMany ? std::string(kTooManyRecordsMessage)
                                                      : std::string(kNoHistoryMessage)));
    return;
  }
  firstShown = 1;
  lastShown = recordCount;
  DrawTimeChart();
}

void Graph::DrawTimeChart() {
  ChartView view{firstShown,
                 lastShown,
                 scaled == 1,
                 {showVolts == 1, showAmps == 1, showWatts == 1, showRpm == 1, showWind == 1}};
  const std::optional<ChartResult> chart = drawTimeChart(*store, view, settings, Plot->display());
  Plot->update();
  drawn = chart.has_value();
  if (!chart) {
    // Fewer than two records draw no chart: the labels then show that
    // nothing is shown, never what an earlier chart showed. The range boxes
    // keep the range asked for.
    ranges = {};
    energyWh = 0;
    showLabels(ChartLabels{});
    showRecord(CursorReadout{});
    return;
  }
  ranges = chart->ranges;
  energyWh = chart->energyWh;
  showLabels(chart->labels);
  Time1h->setText(stime->text().left(2));
  Time1m->setText(stime->text().right(2));
  Time2h->setText(ftime->text().left(2));
  Time2m->setText(ftime->text().right(2));
}

void Graph::showLabels(const ChartLabels& text) {
  stime->setText(fromBytes(text.stime));
  ftime->setText(fromBytes(text.ftime));
  QLabel* const maxima[] = {VMax1, AMax1, WMax1, RMax1, SMax1};
  QLabel* const minima[] = {VMin1, AMin1, WMin1, RMin1, SMin1};
  for (int s = 0; s < kSeriesCount; ++s) {
    maxima[s]->setText(fromBytes(text.maximum[s]));
    minima[s]->setText(fromBytes(text.minimum[s]));
  }
  watts->setText(fromBytes(text.energy));
}

void Graph::seriesClicked(QCheckBox* box, int& flag) {
  flag = box->isChecked() ? 1 : 0;
  if (recordCount > 1) DrawTimeChart();
}

void Graph::CheckVolts_Click() {
  seriesClicked(CheckVolts, showVolts);
}

void Graph::CheckAmps_Click() {
  seriesClicked(CheckAmps, showAmps);
}

void Graph::CheckWatts_Click() {
  seriesClicked(CheckWatts, showWatts);
}

void Graph::CheckRPM_Click() {
  seriesClicked(CheckRPM, showRpm);
}

void Graph::CheckWS_Click() {
  seriesClicked(CheckWS, showWind);
}

void Graph::CheckScaling_Click() {
  scaled = CheckScaling->isChecked() ? 1 : 0;
  const QString caption = scaled == 1 ? QStringLiteral("Scaled") : QStringLiteral("Unscaled");
  CheckScaling->setText(caption);
  CheckScaling->setAccessibleName(caption);
  if (recordCount > 1) DrawTimeChart();
}

void Graph::XAxisTime_Click() {
  Plot->display().clear();
  DrawTimeChart();
}

void Graph::XAxisRPM_Click() {
  drawPowerCurve(*store, firstShown, lastShown, ranges, settings, Plot->display());
  Plot->update();
}

void Graph::setScreenColours() {
  setColours(kWindowColour, kChartColour);
}

void Graph::setColours(const QColor& window, Rgb chart) {
  setBackground(this, window);
  Plot->display().setBackground(chart);
  Plot->update();
}

void Graph::PerformanceButton_Click() {
  const std::optional<CalendarDate> day = dateOfDayFileName(toBytes(FileName->text()));
  Performance window(programFolder, day.value_or(calendarDate(clock.now())), dialogs, this);
  dialogs.showModal(window);
}

void Graph::ExitGraphsButton_Click() {
  close();
}

}  // namespace tamsel

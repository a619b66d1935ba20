#include "performance/performance_window.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "analysis/analysis_setup_file.h"
#include "performance/performance_chart.h"
#include "platform/number_format.h"
#include "platform/qt/latin1.h"
#include "platform/qt/picture_box.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

constexpr int kDaysOffered = 30;

QDate qDate(const CalendarDate& date) {
  return QDate(date.year, date.month, date.day);
}

CalendarDate calendarDateOf(const QDate& date) {
  return {date.year(), date.month(), date.day()};
}

// A cell's text is what a screen reader reads of it; a long reason in
// place of a number is shown whole when pointed at.
void fill(QTableWidget* table, const TextTable& text) {
  table->clear();
  table->setColumnCount(static_cast<int>(text.headings.size()));
  table->setRowCount(static_cast<int>(text.rows.size()));
  QStringList headings;
  for (const std::string& heading : text.headings) headings << fromBytes(heading);
  table->setHorizontalHeaderLabels(headings);
  for (int r = 0; r < table->rowCount(); ++r) {
    for (int c = 0; c < table->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(fromBytes(text.rows[r][c]));
      item->setToolTip(item->text());
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnsToContents();
}

// "m/s: 0 to 10, a line every 1".
QString axisText(const char* what, const ChartAxis& axis) {
  return QStringLiteral("%1: %2 to %3, a line every %4")
      .arg(QString::fromLatin1(what), fromBytes(plainNumberText(axis.lowest)),
           fromBytes(plainNumberText(axis.highest)), fromBytes(plainNumberText(axis.step)));
}

}  // namespace

Performance::Performance(std::string programFolder, CalendarDate lastDay, Dialogs& dialogs,
                         QWidget* parent)
    : QDialog(parent), programFolder(std::move(programFolder)), lastDay(lastDay), dialogs(dialogs) {
  setObjectName(QStringLiteral("Performance"));
  setWindowTitle(QStringLiteral("Performance"));
  buildForm();
  connectHandlers();
  Form_Load();
}

void Performance::connectHandlers() {
  connect(AnalyseButton, &QPushButton::clicked, this, [this] { AnalyseButton_Click(); });
  connect(CSV, &QPushButton::clicked, this, [this] { CSV_Click(); });
  connect(ExitButton, &QPushButton::clicked, this, [this] { ExitButton_Click(); });
}

void Performance::Form_Load() {
  const QDate last = qDate(lastDay);
  ToDate->setDate(last);
  FromDate->setDate(last.addDays(1 - kDaysOffered));
  AnalyseButton_Click();
}

DateRange Performance::rangeOfBoxes() const {
  return {calendarDateOf(FromDate->date()), calendarDateOf(ToDate->date())};
}

void Performance::AnalyseButton_Click() {
  const DateRange range = rangeOfBoxes();
  if (const std::optional<std::string> problem = dateRangeProblem(range)) {
    clearFigures();
    dialogs.message(this, QStringLiteral("This range cannot be analysed: ") + fromBytes(*problem));
    return;
  }
  const Result<AnalysisSetup> setup = loadAnalysisSetup(programFolder);
  Result<PerformanceReport> report =
      setup ? analysis.analyse(*setup, programFolder + "/logs", range) : setup.status();
  if (!report) {
    clearFigures();
    dialogs.message(this, fromBytes(report.error()));
    return;
  }
  shown = std::move(*report);
  shownRange = range;
  showReport(*shown, *setup);
}

void Performance::clearFigures() {
  shown.reset();
  for (QTableWidget* table : {BinTable, AepTable, BatteryTable}) fill(table, {});
  showSummary({});
  CurvePlot->display().clear();
  BatteryPlot->display().clear();
  CurvePlot->update();
  BatteryPlot->update();
  for (QLabel* axis : {CurveXAxis, CurveYAxis, BatteryXAxis, BatteryYAxis}) axis->clear();
}

void Performance::showReport(const PerformanceReport& report, const AnalysisSetup& setup) {
  fill(BinTable, binTable(report, MissingAs::Reason));
  fill(AepTable, aepTable(report));
  fill(BatteryTable, batteryTable(report, MissingAs::Reason));
  showSummary(summaryTexts(report));
  const ChartFrame curve = drawPerformanceCurve(
      report, turbineSettings(setup.turbine, setup.SV).settings.curve, CurvePlot->display());
  const ChartFrame battery = drawBatteryDays(report.battery, BatteryPlot->display());
  CurvePlot->update();
  BatteryPlot->update();
  showAxes(curve, battery);
}

void Performance::showSummary(const SummaryTexts& texts) {
  const std::pair<QLabel*, const std::string*> labels[] = {
      {Delivered, &texts.delivered},   {Promised, &texts.promised},
      {Ratio, &texts.ratio},           {DaysSinceFull, &texts.daysSinceFull},
      {AirDensity, &texts.airDensity}, {Records, &texts.records},
      {Notes, &texts.notes},
  };
  for (const auto& [label, text] : labels) label->setText(fromBytes(*text));
}

void Performance::showAxes(const ChartFrame& curve, const ChartFrame& battery) {
  CurveYAxis->setText(axisText("Power, W", curve.up));
  CurveXAxis->setText(axisText("Wind, m/s", curve.across));
  BatteryYAxis->setText(axisText("Battery, V", battery.up));
  BatteryXAxis->setText(QStringLiteral("Days from %1, one bar each: lowest (blue) to highest (red)")
                            .arg(FromDate->date().toString(Qt::ISODate)));
}

void Performance::CSV_Click() {
  if (!shown) {
    dialogs.message(this, QStringLiteral("Nothing to export: no range is analysed"));
    return;
  }
  const std::pair<const char*, TextTable> files[] = {
      {"bins", binTable(*shown, MissingAs::Empty)},
      {"battery", batteryTable(*shown, MissingAs::Empty)},
  };
  QStringList written;
  for (const auto& [what, table] : files) {
    const std::string path = programFolder + "/excel/" + performanceCsvName(what, shownRange);
    // Written whole beside its name and then renamed: a failed export leaves
    // no half file under the export's name.
    if (const Status saved = replaceFile(path, csvText(table)); !saved) {
      dialogs.message(this, QStringLiteral("The CSV file could not be written: ") +
                                QString::fromStdString(path) + QStringLiteral("\n") +
                                QString::fromLocal8Bit(saved.error));
      return;
    }
    written << QString::fromStdString(path);
  }
  dialogs.message(this, QStringLiteral("Done:\n") + written.join(QLatin1Char('\n')));
}

void Performance::ExitButton_Click() {
  close();
}

}  // namespace tamsel

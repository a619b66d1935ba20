#pragma once
// The performance window ("Performance"), opened from the log history: over
// a range of days, the measured power curve by the method of bins against
// the maker's, the year's energy it implies, delivered against promised, and
// each day's battery. Every figure that cannot be given shows why instead.
//
// It reads prog.cfg, turbine.cfg and the day files itself at each
// "Analyse"; day files that did not change since the last one are not read
// again. The constructor runs Form_Load; the opener shows the window with
// Dialogs::showModal. performance_form.cpp builds the form.
#include <QDialog>
#include <optional>
#include <string>

#include "analysis/day_file_analysis.h"
#include "performance/performance_tables.h"
#include "platform/qt/dialogs.h"

class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tamsel {

class PictureBox;
struct ChartFrame;

class Performance : public QDialog {
  Q_OBJECT
 public:
  // `lastDay` is the day the log history shows: the range offered ends on it
  // and spans the 30 days up to it.
  Performance(std::string programFolder, CalendarDate lastDay, Dialogs& dialogs,
              QWidget* parent = nullptr);

  void Form_Load();
  // "Analyse": the range of the two date boxes.
  void AnalyseButton_Click();
  // ".CSV": the bin table and the battery table, each a file in the excel folder.
  void CSV_Click();
  void ExitButton_Click();

 private:
  void buildForm();
  void connectHandlers();
  // Nothing of an earlier range stays on the window: the figures shown are
  // always those of the dates above them, or none.
  void clearFigures();
  void showReport(const PerformanceReport& report, const AnalysisSetup& setup);
  void showSummary(const SummaryTexts& texts);
  void showAxes(const ChartFrame& curve, const ChartFrame& battery);
  DateRange rangeOfBoxes() const;

  QDateEdit* FromDate;
  QDateEdit* ToDate;
  QPushButton* AnalyseButton;
  QPushButton* CSV;
  QPushButton* ExitButton;

  PictureBox* CurvePlot;
  QLabel* CurveXAxis;
  QLabel* CurveYAxis;
  QTableWidget* BinTable;
  QTableWidget* AepTable;

  QLabel* Delivered;
  QLabel* Promised;
  QLabel* Ratio;
  QLabel* DaysSinceFull;
  QLabel* AirDensity;
  QLabel* Records;
  QLabel* Notes;

  QTableWidget* BatteryTable;
  PictureBox* BatteryPlot;
  QLabel* BatteryXAxis;
  QLabel* BatteryYAxis;

  std::string programFolder;
  CalendarDate lastDay;
  Dialogs& dialogs;
  DayFileAnalysis analysis;
  // The report shown and its range, which the CSV export writes.
  std::optional<PerformanceReport> shown;
  DateRange shownRange;
};

}  // namespace tamsel

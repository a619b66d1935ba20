#pragma once
// The log history window ("Log History"): one stored day of records over a
// chosen time range, drawn as a time chart or a power curve, with a cursor
// read-out, drag zoom, CSV export, the daily energy summary and printing.
//
// It shares no memory with the main window: it reads prog.cfg and the day
// files itself, and every load reads the file again, so records the logger
// appends meanwhile show at the next DISPLAY. The constructor runs Form_Load;
// the opener shows the window with Dialogs::showModal.
//
// Its members are defined by role: graph_form.cpp builds the form,
// graph.cpp loads a day and draws it, graph_cursor.cpp follows the mouse
// (read-out and drag zoom), graph_output.cpp writes the CSV export,
// watthours.txt and the printed page.
#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "history/cursor_zoom.h"
#include "history/history_settings.h"
#include "history/history_store.h"
#include "history/time_chart.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace tamsel {

class PictureBox;

inline const QString kFormNotPrintedMessage = QStringLiteral("The form could not be printed");

class Graph : public QDialog {
  Q_OBJECT
 public:
  Graph(std::string programFolder, const Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);
  ~Graph() override;

  void Form_Load();
  void Dir1_Change();
  void File1_Click(const QString& name);
  void DisplayButton_Click();
  void CheckVolts_Click();
  void CheckAmps_Click();
  void CheckWatts_Click();
  void CheckRPM_Click();
  void CheckWS_Click();
  void CheckScaling_Click();
  void XAxisTime_Click();
  void XAxisRPM_Click();
  // X and Y in the chart's user units; any button drags.
  void Plot_MouseMove(double X, double Y);
  void Plot_MouseDown(double X, double Y);
  void Plot_MouseUp(double X, double Y);
  void CSV_Click();
  void PrintButton_Click();
  // The performance window, over the 30 days up to the day shown.
  void PerformanceButton_Click();
  void ExitGraphsButton_Click();

 private:
  // Tests read the window's state through this; they find controls by name.
  friend struct GraphProbe;

  // Controls, under their designer names.
  QLabel* Heading;
  QListWidget* Dir1;   // folders: ".." and the subfolders of the folder shown
  QListWidget* File1;  // the day files (P_YYYY_MM_DD.txt) of that folder
  QLabel* FileName;
  QLineEdit* Time1h;
  QLineEdit* Time1m;
  QLineEdit* Time2h;
  QLineEdit* Time2m;
  QPushButton* DisplayButton;
  QCheckBox* Collate;

  PictureBox* Plot;
  QLabel* stime;
  QLabel* vt;
  QLabel* ftime;
  QLabel* watts;  // energy of the shown range

  QCheckBox* CheckVolts;
  QCheckBox* CheckAmps;
  QCheckBox* CheckWatts;
  QCheckBox* CheckRPM;
  QCheckBox* CheckWS;
  QCheckBox* CheckScaling;
  QLabel* vv;
  QLabel* av;
  QLabel* wv;
  QLabel* rv;
  QLabel* sv;
  QLabel* VMax1;
  QLabel* VMin1;
  QLabel* AMax1;
  QLabel* AMin1;
  QLabel* WMax1;
  QLabel* WMin1;
  QLabel* RMax1;
  QLabel* RMin1;
  QLabel* SMax1;
  QLabel* SMin1;

  QGroupBox* XAxisFrame;  // "x axis parameter"
  QRadioButton* XAxisTime;
  QRadioButton* XAxisRPM;

  QPushButton* CSV;
  QPushButton* PrintButton;
  QPushButton* PerformanceButton;
  QPushButton* ExitGraphsButton;

  // Window state, kept while the window is open.
  int recordCount = 0;
  double firstShown = 0;
  double lastShown = 0;
  TimeRange range;
  std::pair<QString, QString> boxesBeforePress;  // Time1h and Time1m, put back after a click
  HistorySettings settings;                      // logDelay, scaleVolts, MA, MR, MP, WSUnits
  int showVolts = 1, showAmps = 1, showWatts = 1, showRpm = 1, showWind = 0;
  int scaled = 1;
  double energyWh = 0;
  // Whether the chart shows records of the day in FileName; only then is
  // there energy to collate and anything to export.
  bool drawn = false;
  QString dirPath;  // the folder Dir1 shows

  void buildForm();
  void connectHandlers();
  void DrawTimeChart();
  void CollateDayEnergy();
  void showLabels(const ChartLabels& text);
  void showRecord(const CursorReadout& readout);
  RangeBoxes rangeBoxes() const;
  std::string logsFolder() const;
  void setColours(const QColor& window, Rgb chart);
  void setScreenColours();  // the window's own green and the chart's grey
  // The window on the default printer, or, with none, as a PDF beside the
  // CSV exports when the user agrees; false only when output failed.
  bool printForm();
  bool renderOnto(QPrinter& printer);
  void showCheck(QCheckBox* box, bool ticked);
  void seriesClicked(QCheckBox* box, int& flag);

  std::string programFolder;
  const Clock& clock;
  Dialogs& dialogs;
  std::unique_ptr<HistoryStore> store;
  std::array<SeriesRange, kSeriesCount> ranges{};
  DragZoom zoom;
};

}  // namespace tamsel

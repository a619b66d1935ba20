#include "history/graph.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <filesystem>

#include "history_records.h"
#include "platform/power_curve_grid.h"
#include "platform/qt/picture_box.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/find_control.h"
#include "support/temp_folder.h"

namespace tamsel {

// The window's state as tests read it, and the folder its list shows.
struct GraphProbe {
  Graph& window;
  int recordCount() const { return window.recordCount; }
  double firstShown() const { return window.firstShown; }
  void showFolder(const QString& path) { window.dirPath = path; }
};

namespace {

using test::eightSecondRecords;
using test::FakeClock;
using test::FakeDialogs;
using test::minuteRecords;
using test::record;
using test::TempFolder;

const std::string kToday = "P_2010_05_23.txt";

class GraphWindow : public ::testing::Test {
 protected:
  GraphWindow() {
    ::mkdir(folder.file("logs").c_str(), 0755);
    ::mkdir(folder.file("excel").c_str(), 0755);
  }
  Graph& open() {
    window = std::make_unique<Graph>(folder.path(), clock, dialogs);
    window->show();
    return *window;
  }
  template <class Widget>
  Widget* find(const char* name) {
    return test::control<Widget>(*window, name);
  }
  QString text(const char* name) { return find<QLabel>(name)->text(); }
  QString box(const char* name) { return find<QLineEdit>(name)->text(); }
  void click(const char* name) { find<QAbstractButton>(name)->click(); }
  std::string day(const std::string& name = kToday) { return folder.read("logs/" + name); }

  TempFolder folder;
  FakeClock clock{{2010, 5, 23, 14, 5, 33}};
  FakeDialogs dialogs;
  std::unique_ptr<Graph> window;
};

TEST_F(GraphWindow, OpeningCreatesAMissingDayFileListsOnlyDaysAndNamesWhatCannotBeRead) {
  ::mkdir(folder.file("prog.cfg").c_str(), 0755);
  for (const char* other : {"watthours.txt", "Whours.txt", "P_2010_05_2x.txt", "P_2010_05_22.txt"})
    folder.write(std::string("logs/") + other, "");
  open();
  EXPECT_EQ(day(), "\r\n");
  EXPECT_EQ(dialogs.messages, (QStringList{"prog.cfg cannot be read: a folder, not a regular file\n"
                                           "The window uses the default settings.",
                                           "No data for that date"}));
  EXPECT_EQ(text("FileName"), QString::fromStdString(kToday));
  QStringList listed;
  for (int i = 0; i < find<QListWidget>("File1")->count(); ++i)
    listed << find<QListWidget>("File1")->item(i)->text();
  EXPECT_EQ(listed, QStringList{"P_2010_05_22.txt"});  // listed before today's was made
}

// Tests find every control by its name; a screen reader reads a control's
// caption, and a value label's value followed by what the value is.
TEST_F(GraphWindow, EveryControlIsFoundByNameAndAScreenReaderReadsWhatItShows) {
  folder.write("logs/" + kToday, minuteRecords(1, 10));
  open();
  window->Plot_MouseMove(3, 0);
  // Value labels: read as the value they show, with what it is as the description.
  const QStringList values = {"FileName", "stime", "vt",    "ftime", "watts", "vv",    "VMax1",
                              "VMin1",    "av",    "AMax1", "AMin1", "wv",    "WMax1", "WMin1",
                              "rv",       "RMax1", "RMin1", "sv",    "SMax1", "SMin1"};
  qsizetype checked = 0;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    // Layout helpers and Qt's own parts of scroll areas have no name of ours.
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue;
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(read, nullptr) << name.toStdString();
    EXPECT_FALSE(read->text(QAccessible::Name).isEmpty()) << name.toStdString();
    if (!values.contains(name)) continue;
    ++checked;
    EXPECT_EQ(read->text(QAccessible::Name), static_cast<QLabel*>(widget)->text())
        << name.toStdString();
    EXPECT_FALSE(read->text(QAccessible::Description).isEmpty()) << name.toStdString();
  }
  EXPECT_EQ(checked, values.size());

  click("XAxisRPM");  // a power curve until the next redraw
  const DisplayList& plot = find<PictureBox>("Plot")->display();
  EXPECT_EQ(plot.scaleWidth(), 420);
  EXPECT_EQ(plot.lines().back().colour, kPowerPointColour);
  click("CheckWS");
  EXPECT_EQ(plot.scaleWidth(), 9);
}

// After a day that draws no chart nothing of the day shown before stays on
// the window, is collated under the new day's name or is exported.
TEST_F(GraphWindow, ALoadThatDrawsNothingLeavesNothingBehind) {
  folder.write("logs/" + kToday, minuteRecords(1, 61));  // 100 Wh
  folder.write("prog.cfg", "<LogDelay>60</LogDelay>");
  folder.write("logs/P_2010_05_02.txt", eightSecondRecords(10000));
  folder.write("logs/P_2010_05_03.txt", record("10:00"));  // one record draws no chart
  ::mkfifo(folder.file("logs/P_2010_05_04.txt").c_str(), 0644);
  ::mkdir(folder.file("logs/P_2010_05_05.txt").c_str(), 0755);
  struct Case {
    std::string day;
    QString message;  // empty: none
  } cases[] = {
      {"P_2010_05_01.txt", "No data for that date"},
      {"P_2010_05_02.txt", QString::fromLatin1(kTooManyRecordsMessage)},
      {"P_2010_05_03.txt", ""},
      {"P_2010_05_04.txt", "P_2010_05_04.txt cannot be read: a named pipe, not a regular file"},
      {"P_2010_05_05.txt", "P_2010_05_05.txt cannot be read: a folder, not a regular file"},
  };
  open();
  find<QCheckBox>("Collate")->setChecked(true);
  GraphProbe(*window).showFolder(QString::fromStdString(folder.path()));  // another folder shown
  window->Dir1_Change();  // days are read from logs all the same
  for (const Case& c : cases) {
    window->File1_Click(QString::fromStdString(kToday));
    window->Plot_MouseMove(3, 0);
    ASSERT_EQ(text("watts"), "100 Wh");
    dialogs.messages.clear();
    window->File1_Click(QString::fromStdString(c.day));
    EXPECT_EQ(dialogs.messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message})
        << c.day;
    window->Plot_MouseDown(1, 0);  // a drag across no chart zooms into nothing
    window->Plot_MouseUp(2, 0);
    EXPECT_TRUE(find<PictureBox>("Plot")->display().lines().empty()) << c.day;
    for (const char* label :
         {"stime", "ftime", "vt", "watts", "VMax1", "AMin1", "SMax1", "vv", "rv", "sv"})
      EXPECT_EQ(text(label), "") << c.day << " " << label;
    click("CSV");
    EXPECT_EQ(dialogs.messages.last(), "Nothing to export: no records are shown") << c.day;
  }
  window->File1_Click(QString::fromStdString(kToday));
  EXPECT_EQ(folder.read("logs/watthours.txt"), "P_2010_05_23.txt  ,  00100\r\n");
  EXPECT_TRUE(QDir(QString::fromStdString(folder.file("excel"))).isEmpty());
}

TEST_F(GraphWindow, OpensOnTodayAndEachDisplayKeepsItsRangeOrNamesABadBox) {
  const std::string records = minuteRecords(0, 5) + minuteRecords(8 * 60 + 59, 183);  // to 12:01
  folder.write("logs/" + kToday, records + "<T>12:02</T><V>13.1");  // torn at the end
  folder.write("prog.cfg", "<SV>12</SV><LogDelay>60</LogDelay>");
  open();
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_EQ(GraphProbe(*window).recordCount(), 188);  // from 00:00; the torn line is no record
  EXPECT_EQ(text("VMax1"), "17.50 V");
  // The viewer's empty line never runs into the torn piece.
  EXPECT_EQ(day(), records + "<T>12:02</T><V>13.1\r\n\r\n");

  find<QLineEdit>("Time1h")->setText("09");
  find<QLineEdit>("Time2h")->setText("12");
  find<QLineEdit>("Time2m")->setText("00");
  for (int press = 0; press < 4; ++press) click("DisplayButton");
  EXPECT_EQ(GraphProbe(*window).recordCount(), 181);
  EXPECT_EQ(text("stime"), "09:00");
  EXPECT_EQ(text("ftime"), "12:00");
  EXPECT_EQ(box("Time1h") + box("Time1m") + box("Time2h") + box("Time2m"), "09001200");

  const std::string shown = day();  // each load adds its empty line
  find<QLineEdit>("Time2h")->setText("2x");
  click("DisplayButton");
  EXPECT_EQ(dialogs.messages, QStringList{"The To hour box must hold a number from 00 to 23."});
  EXPECT_EQ(GraphProbe(*window).recordCount(), 181);
  EXPECT_EQ(day(), shown);
}

TEST_F(GraphWindow, DragZoomNarrowsToTheDraggedRecords) {
  folder.write("logs/" + kToday, minuteRecords(1, 120));
  Graph& w = open();
  ASSERT_EQ(GraphProbe(w).recordCount(), 120);

  // Leftward: nothing reloads; the start boxes keep the time under the press.
  w.Plot_MouseMove(99.5, 0);
  w.Plot_MouseDown(99.5, 0);
  w.Plot_MouseMove(60.2, 0);
  EXPECT_EQ(text("vt"), "01:01");  // the record under the cursor while held
  w.Plot_MouseUp(40, 0);
  EXPECT_EQ(GraphProbe(w).recordCount(), 120);
  EXPECT_EQ(box("Time1h"), "01");
  EXPECT_EQ(box("Time1m"), "40");
  EXPECT_EQ(GraphProbe(w).firstShown(), 1);

  w.Plot_MouseMove(40, 0);
  w.Plot_MouseDown(40, 0);
  w.Plot_MouseMove(100, 0);
  const DrawnLine& mark = find<PictureBox>("Plot")->display().lines().back();
  EXPECT_EQ(mark.colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(mark.x1, 40);
  EXPECT_EQ(mark.x2, 100);
  w.Plot_MouseUp(100, 0);
  // 00:40 to 01:40, both included.
  EXPECT_EQ(GraphProbe(w).recordCount(), 61);
  EXPECT_EQ(text("stime"), "00:40");
  EXPECT_EQ(text("ftime"), "01:40");
  EXPECT_FALSE(find<PictureBox>("Plot")->display().lines().empty());
}

// A press and release a few pixels apart is a click: the read-out shows the
// record under it and nothing loads; a little further is a drag again.
TEST_F(GraphWindow, AClickOnTheChartPointsAndLoadsNothing) {
  folder.write("logs/" + kToday, minuteRecords(1, 120));
  Graph& w = open();
  const double pixel = find<PictureBox>("Plot")->toUser({1, 0}).x();
  ASSERT_GT(pixel, 0);
  w.Plot_MouseMove(40, 0);
  w.Plot_MouseDown(40, 0);
  w.Plot_MouseUp(40 + 3 * pixel, 0);
  EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
  EXPECT_EQ(GraphProbe(w).recordCount(), 120);
  EXPECT_EQ(GraphProbe(w).firstShown(), 1);
  EXPECT_EQ(text("vt"), "00:41");  // x counts from the first record, slot 1
  EXPECT_EQ(box("Time1h") + box("Time1m") + box("Time2h") + box("Time2m"), "00010200");

  w.Plot_MouseDown(40, 0);
  w.Plot_MouseMove(46, 0);
  w.Plot_MouseUp(46, 0);
  EXPECT_EQ(GraphProbe(w).recordCount(), 7);  // 00:40 to 00:46
}

// The CSV file and the PDF go to the excel folder; without it each says why.
TEST_F(GraphWindow, CsvAndPdfWithoutAPrinterOrSayWhyNotAndTheColoursAreAlwaysRestored) {
  ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "expects a machine without printers";
  folder.write(
      "logs/" + kToday,
      minuteRecords(1, 3,
                    {.volts = "12.50", .amps = "0.0", .watts = "0.0", .rpm = "0", .wind = "0"}));
  open();
  click("CSV");
  EXPECT_EQ(folder.read("excel/P_2010_05_23_0001_0003.csv"),
            "TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r\n00:01,12.50,.00,.00,,.0\r\n"
            "00:02,12.50,.00,.00,,.0\r\n00:03,12.50,.00,.00,,.0\r\n");
  EXPECT_EQ(dialogs.messages.last(), "Done");
  dialogs.answer = true;
  click("PrintButton");
  EXPECT_EQ(dialogs.questions.size(), 1);
  EXPECT_EQ(folder.read("excel/P_2010_05_23_0001_0003.pdf").substr(0, 4), "%PDF");
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 192, 0));
  EXPECT_EQ(find<PictureBox>("Plot")->display().background(), (Rgb{64, 64, 64}));

  std::filesystem::remove_all(folder.file("excel"));
  click("CSV");
  EXPECT_TRUE(dialogs.messages.last().startsWith("The CSV file could not be written"))
      << dialogs.messages.last().toStdString();
  EXPECT_EQ(folder.read("excel/P_2010_05_23_0001_0003.csv"), "<missing>");
  click("PrintButton");
  EXPECT_EQ(dialogs.messages.last(), kFormNotPrintedMessage);
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 192, 0));
  EXPECT_EQ(find<PictureBox>("Plot")->display().background(), (Rgb{64, 64, 64}));
}

}  // namespace
}  // namespace tamsel

// The performance window as an owner meets it: opened from the log history
// on day files, its figures, the reasons for those it cannot give, its CSV
// files and the ranges it refuses.
#include "performance/performance_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "history/graph.h"
#include "history/history_records.h"
#include "performance/performance_chart.h"
#include "platform/qt/picture_box.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/find_control.h"
#include "support/temp_folder.h"

// Failures show the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tamsel {
namespace {

using test::control;
using test::record;
using test::Values;

// Four records of 2024-03-01, each standing for 60 s: three at 5 m/s (100,
// 200 and 150 W at 300, 320 and 310 RPM; 12.0, 12.5, 12.0 V; 2, 3, 1 A) and
// a calm one at 13.0 V. Worked by hand: the bin's mean 150 W, its spread
// √((50² + 50² + 0²) / 3) = 40.8 W; Cp 150 / (0.5 × 1.2250 × π × 1.5² × 5³)
// = 0.277; TSR (2π × 310 / 60) × 1.5 / 5 = 9.74. At a mean wind of 4 m/s,
// F(V) = 1 − exp(−π/4 × (V/4)²): measured 8.76 × (F(5) − F(4.5)) × 75 =
// 50.6 kWh; extrapolated + 8.76 × (F(25) − F(5)) × 150 = 435.7 kWh; the
// maker's 8.76 × ((F(4) − F(3.5)) × 50 + (F(6) − F(4)) × 200 + (F(25) − F(6))
// × 300) = 988.8 kWh; capacity factor 435.7 / (0.5 × 8760) = 9.9 %.
// Delivered 450 W × 60 s = 7.5 Wh; promised at 5 m/s, halfway from 4:100 to
// 6:300, 3 × 200 W × 60 s = 10 Wh; ratio 75 %. Battery: lowest 12.00 V first
// at 10:00, highest 13.00 V at 10:03, 6 A × 60 s = 0.10 Ah, every record at
// or above 1.2 × SV 10 = 12 V: 4 minutes, 0.07 h, and full two days before
// the range's last day.
std::string handWorkedDay() {
  return record("10:00", Values{"12.00", "2.0", "100.0", "300", "5"}) +
         record("10:01", Values{"12.50", "3.0", "200.0", "320", "5"}) +
         record("10:02", Values{"12.00", "1.0", "150.0", "310", "5"}) +
         record("10:03", Values{"13.00", "0.0", "0.0", "0", "0"});
}

const std::string kTurbine =
    "<RotorDiameter>3</RotorDiameter><RatedPower>500</RatedPower><Curve>4:100 6:300</Curve>"
    "<MinBinMinutes>2</MinBinMinutes>";

class PerformanceWindow : public ::testing::Test {
 protected:
  PerformanceWindow() {
    for (const char* made : {"logs", "excel"}) ::mkdir(folder.file(made).c_str(), 0755);
    folder.write("logs/P_2024_03_01.txt", handWorkedDay());
  }

  // The performance window as the log history's button opens it, handed to
  // `use` while it is open.
  void openFromHistory(const std::function<void(Performance&)>& use) {
    Graph history(folder.path(), clock, dialogs);
    bool opened = false;
    dialogs.onModal = [&](QDialog& window) {
      opened = true;
      use(dynamic_cast<Performance&>(window));
    };
    control<QPushButton>(history, "PerformanceButton")->click();
    EXPECT_TRUE(opened);
  }

  static QString text(const QWidget& w, const char* label) {
    return control<QLabel>(w, label)->text();
  }
  static QStringList row(const QWidget& w, const char* table, int r) {
    const QTableWidget* t = control<QTableWidget>(w, table);
    QStringList cells;
    for (int c = 0; t->item(r, c); ++c) cells << t->item(r, c)->text();
    return cells;
  }

  test::TempFolder folder;
  test::FakeClock clock{{2024, 3, 3, 12, 0, 0}};
  test::FakeDialogs dialogs;
};

TEST_F(PerformanceWindow, OpensOnTheHistorysLast30DaysWithTheHandWorkedFiguresOrTheirReasons) {
  const struct {
    const char* name;
    std::string prog;
    std::string turbine;
    QStringList bin;      // the first row
    QStringList aep;      // the 4 m/s row
    QStringList summary;  // Delivered, Promised, Ratio, DaysSinceFull, AirDensity, Notes
  } cases[] = {
      {"every figure",
       "<LogDelay>60</LogDelay><WSUnits>m/s</WSUnits><SV>10</SV>",
       kTurbine,
       {"5.0", "5.00", "150.0", "40.8", "310", "3", "3.0", "0.277", "9.74", "yes"},
       {"4", "50.6", "435.7", "988.8", "9.9 %"},
       {"7.5 Wh", "10.0 Wh", "75.0 %", "2", "1.225 kg/m\u00b3", ""}},
      {"no rotor, no curve, bins of 0.5 m/s too short",
       "<LogDelay>60</LogDelay><WSUnits>km/h</WSUnits><SV>12</SV>",
       "",
       // 5 km/h is 1.39 m/s, in the bin centred on 1.5.
       {"1.5", "1.39", "150.0", "40.8", "310", "3", "3.0", "turbine.cfg: no RotorDiameter given",
        "turbine.cfg: no RotorDiameter given", "no"},
       {"4", "no bin holds 30 minutes of data (MinBinMinutes)",
        "no bin holds 30 minutes of data (MinBinMinutes)", "turbine.cfg: no Curve given",
        "turbine.cfg: no RatedPower given"},
       {"7.5 Wh", "turbine.cfg: no Curve given", "turbine.cfg: no Curve given",
        "no day reached 14.4 V (FullVolts)", "1.225 kg/m\u00b3", ""}},
      {"a wind unit that cannot be converted",
       "<LogDelay>60</LogDelay><WSUnits>furlongs</WSUnits><SV>10</SV>",
       kTurbine,
       {},
       {"4",
        "cannot convert \"furlongs\" to m/s; known units: mph, km/h (kph, kmh), m/s (mps), "
        "knots (kn, kt), ft/s"},
       {"7.5 Wh",
        "cannot convert \"furlongs\" to m/s; known units: mph, km/h (kph, kmh), m/s (mps), knots "
        "(kn, kt), ft/s",
        "", "2", "1.225 kg/m\u00b3",
        "No power curve: cannot convert \"furlongs\" to m/s; known units: mph, km/h (kph, kmh), "
        "m/s (mps), knots (kn, kt), ft/s"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    folder.write("prog.cfg", c.prog);
    folder.write("turbine.cfg", c.turbine);
    openFromHistory([&](Performance& w) {
      EXPECT_EQ(control<QDateEdit>(w, "FromDate")->date(), QDate(2024, 2, 3));
      EXPECT_EQ(control<QDateEdit>(w, "ToDate")->date(), QDate(2024, 3, 3));
      EXPECT_EQ(row(w, "BinTable", 0), c.bin);
      EXPECT_EQ(row(w, "AepTable", 0).mid(0, c.aep.size()), c.aep);
      QStringList summary;
      for (const char* label :
           {"Delivered", "Promised", "Ratio", "DaysSinceFull", "AirDensity", "Notes"})
        summary << text(w, label);
      if (c.summary[2].isEmpty()) summary[2] = "";  // the ratio's reason is the promised one's
      EXPECT_EQ(summary, c.summary);
      EXPECT_EQ(row(w, "BatteryTable", 0),
                (QStringList{"2024-03-01", "12.00", "10:00", "13.00", "10:03", "0.10", "7.5",
                             c.summary[3].startsWith("no day") ? "0.00" : "0.07"}));
    });
  }
}

// The measured bin as a filled mark with its spread, the maker's curve as a
// line through its points, and the axes' labels saying what they span.
TEST_F(PerformanceWindow, DrawsTheBinsOverTheMakersCurveAndEveryControlIsNamedForAScreenReader) {
  folder.write("prog.cfg", "<LogDelay>60</LogDelay><WSUnits>m/s</WSUnits><SV>10</SV>");
  folder.write("turbine.cfg", kTurbine);
  openFromHistory([&](Performance& w) {
    EXPECT_EQ(text(w, "CurveXAxis"), "Wind, m/s: 0 to 6, a line every 1");
    EXPECT_EQ(text(w, "CurveYAxis"), "Power, W: 0 to 300, a line every 50");
    const DisplayList& plot = control<PictureBox>(w, "CurvePlot")->display();
    const ChartFrame frame{{0, 6, 1}, {0, 300, 50}};
    auto drawn = [&](double x1, double y1, double x2, double y2, Rgb colour, int pen) {
      for (const DrawnLine& l : plot.lines()) {
        if (l.colour == colour && l.penWidth == pen && std::abs(l.x1 - frame.x(x1)) < 1e-9 &&
            std::abs(l.y1 - frame.y(y1)) < 1e-6 && std::abs(l.x2 - frame.x(x2)) < 1e-9 &&
            std::abs(l.y2 - frame.y(y2)) < 1e-6)
          return true;
      }
      return false;
    };
    EXPECT_TRUE(drawn(5, 150, 5, 150, kMeasuredColour, kMarkPen));
    EXPECT_TRUE(drawn(5, 150 - 40.824829, 5, 150 + 40.824829, kMeasuredColour, 1));
    EXPECT_TRUE(drawn(4, 100, 6, 300, kMakerColour, 2));

    w.show();
    for (QWidget* widget : w.findChildren<QWidget*>()) {
      const QString name = widget->objectName();
      if (name.isEmpty() || name.startsWith("qt_")) continue;
      QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
      // A label showing a value is read as the value; an empty one has nothing to say.
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_EQ(read->text(QAccessible::Name), label->text()) << name.toStdString();
      } else {
        EXPECT_FALSE(read->text(QAccessible::Name).isEmpty()) << name.toStdString();
      }
    }
  });
}

TEST_F(PerformanceWindow, CsvWritesTheBinAndBatteryTablesWithMissingFiguresLeftEmpty) {
  folder.write("prog.cfg", "<LogDelay>60</LogDelay><WSUnits>m/s</WSUnits><SV>10</SV>");
  const struct {
    std::string turbine;
    std::string bins;
  } cases[] = {
      {kTurbine, "5.0,5.00,150.0,40.8,310,3,3.0,0.277,9.74,yes\r\n"},
      // Without air density there is no Cp; the TSR needs none.
      {kTurbine + "<Altitude>high</Altitude>", "5.0,5.00,150.0,40.8,310,3,3.0,,9.74,yes\r\n"},
  };
  for (const auto& c : cases) {
    folder.write("turbine.cfg", c.turbine);
    openFromHistory([&](Performance& w) {
      control<QDateEdit>(w, "FromDate")->setDate(QDate(2024, 3, 1));
      control<QPushButton>(w, "AnalyseButton")->click();
      dialogs.messages.clear();
      control<QPushButton>(w, "CSV")->click();
    });
    const std::string name = "excel/Performance_%s_2024_03_01_2024_03_03.csv";
    auto file = [&](const char* what) {
      std::string path = name;
      return folder.read(path.replace(path.find("%s"), 2, what));
    };
    EXPECT_EQ(file("bins"),
              "bin (m/s),wind (m/s),power (W),power std (W),rpm,count,minutes,Cp,TSR,complete\r\n" +
                  c.bins);
    EXPECT_EQ(file("battery"),
              "date,lowest (V),lowest at,highest (V),highest at,Ah,Wh,hours full\r\n"
              "2024-03-01,12.00,10:00,13.00,10:03,0.10,7.5,0.07\r\n");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Done:\n")) << dialogs.messages[0].toStdString();
  }
}

// A range that cannot be analysed is refused with the reason, and the
// figures of the range shown before leave the window with it.
TEST_F(PerformanceWindow, ARangeThatCannotBeAnalysedIsRefusedAndLeavesNothingBehind) {
  folder.write("prog.cfg", "<LogDelay>60</LogDelay><WSUnits>m/s</WSUnits><SV>10</SV>");
  const struct {
    QDate from;
    QDate to;
    QString message;
  } cases[] = {
      {{2024, 3, 4}, {2024, 3, 3}, "the first day comes after the last"},
      {{2014, 2, 20}, {2024, 3, 3}, "a range holds at most 3660 days"},
  };
  for (const auto& c : cases) {
    openFromHistory([&](Performance& w) {
      ASSERT_EQ(text(w, "Delivered"), "7.5 Wh");
      dialogs.messages.clear();
      control<QDateEdit>(w, "FromDate")->setDate(c.from);
      control<QDateEdit>(w, "ToDate")->setDate(c.to);
      control<QPushButton>(w, "AnalyseButton")->click();
      EXPECT_EQ(dialogs.messages, QStringList{"This range cannot be analysed: " + c.message});
      EXPECT_EQ(text(w, "Delivered"), "");
      EXPECT_EQ(control<QTableWidget>(w, "BinTable")->rowCount(), 0);
      EXPECT_TRUE(control<PictureBox>(w, "CurvePlot")->display().lines().empty());
      control<QPushButton>(w, "CSV")->click();
      EXPECT_EQ(dialogs.messages.last(), "Nothing to export: no range is analysed");
    });
  }
}

}  // namespace
}  // namespace tamsel

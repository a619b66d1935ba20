// The form of the log history window: chart on the left with the start,
// cursor and finish times above it and one column per series under it; the
// day files, range boxes and buttons in a column on the right.
#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "history/graph.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/picture_box.h"

namespace tamsel {
namespace {

QLabel* label(QWidget* parent, const char* name, const char* caption, const QString& accessible) {
  return named(new QLabel(QString::fromLatin1(caption), parent), name, accessible);
}

// A label showing a value: a screen reader reads the value, and the
// description says what it is.
QLabel* value(QWidget* parent, const char* name, const char* caption, const QString& description) {
  QLabel* shown = valueLabel(parent, name, description);
  shown->setText(QString::fromLatin1(caption));
  return shown;
}

QLineEdit* timeBox(QWidget* parent, const char* name, const char* text, const char* accessible) {
  auto* box = named(new QLineEdit(QString::fromLatin1(text), parent), name,
                    QString::fromLatin1(accessible));
  box->setMaxLength(2);
  box->setFixedWidth(34);
  box->setAlignment(Qt::AlignCenter);
  return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  auto* b = named(new QPushButton(QString::fromLatin1(caption), parent), name,
                  QString::fromLatin1(caption));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

void Graph::buildForm() {
  setFont(QFont(QStringLiteral("Arial"), 9));

  Heading = label(this, "Heading", "Log History", QStringLiteral("Log History"));
  QFont headingFont(QStringLiteral("Arial"), 14, QFont::Bold);
  Heading->setFont(headingFont);

  stime = value(this, "stime", "Start", QStringLiteral("Start time"));
  vt = value(this, "vt", "time", QStringLiteral("Time under the cursor"));
  ftime = value(this, "ftime", "Finish", QStringLiteral("Finish time"));
  vt->setAlignment(Qt::AlignCenter);
  ftime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* times = new QHBoxLayout;
  times->addWidget(stime, 1);
  times->addWidget(vt, 1);
  times->addWidget(ftime, 1);

  Plot = named(new PictureBox(this), "Plot", QStringLiteral("Chart"));
  Plot->setMinimumSize(640, 320);
  Plot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  // One column per series: check box, read-out, maximum, minimum.
  struct Column {
    QCheckBox** check;
    const char* checkName;
    const char* caption;
    QLabel** readout;
    const char* readoutName;
    QLabel** maximum;
    const char* maxName;
    QLabel** minimum;
    const char* minName;
  };
  const Column columns[] = {
      {&CheckVolts, "CheckVolts", "Volts", &vv, "vv", &VMax1, "VMax1", &VMin1, "VMin1"},
      {&CheckAmps, "CheckAmps", "Amps", &av, "av", &AMax1, "AMax1", &AMin1, "AMin1"},
      {&CheckWatts, "CheckWatts", "Watts", &wv, "wv", &WMax1, "WMax1", &WMin1, "WMin1"},
      {&CheckRPM, "CheckRPM", "RPM", &rv, "rv", &RMax1, "RMax1", &RMin1, "RMin1"},
      {&CheckWS, "CheckWS", "WS", &sv, "sv", &SMax1, "SMax1", &SMin1, "SMin1"},
  };
  auto* series = new QGridLayout;
  series->setHorizontalSpacing(18);
  int col = 0;
  for (const Column& c : columns) {
    const QString caption = QString::fromLatin1(c.caption);
    *c.check = named(new QCheckBox(caption, this), c.checkName, caption);
    *c.readout = value(this, c.readoutName, "0", caption + QStringLiteral(" under the cursor"));
    *c.maximum = value(this, c.maxName, "", caption + QStringLiteral(" maximum"));
    *c.minimum = value(this, c.minName, "", caption + QStringLiteral(" minimum"));
    series->addWidget(*c.check, 0, col);
    series->addWidget(*c.readout, 1, col);
    series->addWidget(*c.maximum, 2, col);
    series->addWidget(*c.minimum, 3, col);
    series->setColumnStretch(col, 1);
    ++col;
  }
  CheckScaling = named(new QCheckBox(QStringLiteral("Scaled"), this), "CheckScaling",
                       QStringLiteral("Scaled"));
  watts = value(this, "watts", "Wh", QStringLiteral("Energy of the shown range"));
  QFont energyFont = font();
  energyFont.setBold(true);
  watts->setFont(energyFont);
  series->addWidget(CheckScaling, 0, col);
  series->addWidget(watts, 2, col, 2, 1);

  auto* chart = new QVBoxLayout;
  chart->addWidget(Heading);
  chart->addLayout(times);
  chart->addWidget(Plot, 1);
  chart->addLayout(series);

  // The side column: the day files, the range and the actions.
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(label(this, "FileLabel", "File", QStringLiteral("File")));
  FileName = value(this, "FileName", "", QStringLiteral("Day file shown"));
  fileRow->addWidget(FileName, 1);
  Dir1 = named(new QListWidget(this), "Dir1", QStringLiteral("Folders"));
  Dir1->setMaximumHeight(80);
  File1 = named(new QListWidget(this), "File1", QStringLiteral("Day files"));

  Time1h = timeBox(this, "Time1h", "00", "From hour");
  Time1m = timeBox(this, "Time1m", "00", "From minute");
  Time2h = timeBox(this, "Time2h", "23", "To hour");
  Time2m = timeBox(this, "Time2m", "59", "To minute");
  auto* rangeGrid = new QGridLayout;
  rangeGrid->addWidget(label(this, "FromLabel", "From", QStringLiteral("From")), 0, 0);
  rangeGrid->addWidget(Time1h, 0, 1);
  rangeGrid->addWidget(new QLabel(QStringLiteral(":"), this), 0, 2);
  rangeGrid->addWidget(Time1m, 0, 3);
  rangeGrid->addWidget(label(this, "ToLabel", "To", QStringLiteral("To")), 1, 0);
  rangeGrid->addWidget(Time2h, 1, 1);
  rangeGrid->addWidget(new QLabel(QStringLiteral(":"), this), 1, 2);
  rangeGrid->addWidget(Time2m, 1, 3);
  rangeGrid->setColumnStretch(4, 1);

  DisplayButton = button(this, "DisplayButton", "DISPLAY");
  DisplayButton->setDefault(true);  // Enter in a range box loads the range
  XAxisFrame = named(new QGroupBox(QStringLiteral("x axis parameter"), this), "XAxisFrame",
                     QStringLiteral("x axis parameter"));
  XAxisTime = named(new QRadioButton(QStringLiteral("time"), XAxisFrame), "XAxisTime",
                    QStringLiteral("time"));
  XAxisRPM =
      named(new QRadioButton(QStringLiteral("rpm"), XAxisFrame), "XAxisRPM", QStringLiteral("rpm"));
  XAxisTime->setChecked(true);
  auto* axes = new QHBoxLayout(XAxisFrame);
  axes->addWidget(XAxisTime);
  axes->addWidget(XAxisRPM);
  Collate =
      named(new QCheckBox(QStringLiteral("Collate"), this), "Collate", QStringLiteral("Collate"));
  CSV = button(this, "CSV", ".CSV");
  PrintButton = button(this, "PrintButton", "PRINT");
  PerformanceButton = button(this, "PerformanceButton", "Performance");
  PerformanceButton->setToolTip(
      QStringLiteral("Power curve, annual energy and battery days over a range of days"));
  ExitGraphsButton = button(this, "ExitGraphsButton", "Exit");

  auto* side = new QVBoxLayout;
  side->addLayout(fileRow);
  side->addWidget(Dir1);
  side->addWidget(File1, 1);
  side->addLayout(rangeGrid);
  side->addWidget(DisplayButton);
  side->addWidget(XAxisFrame);
  side->addWidget(Collate);
  side->addWidget(CSV);
  side->addWidget(PrintButton);
  side->addWidget(PerformanceButton);
  side->addWidget(ExitGraphsButton);
  auto* sidePanel = new QWidget(this);
  sidePanel->setLayout(side);
  sidePanel->setFixedWidth(210);
  side->setContentsMargins(0, 0, 0, 0);

  auto* whole = new QHBoxLayout(this);
  whole->addLayout(chart, 1);
  whole->addWidget(sidePanel);
  resize(1060, 640);
}

}  // namespace tamsel

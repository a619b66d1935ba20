// The form of the performance window: the range and the actions along the
// top; the power curve beside its bin and energy tables; the range's single
// figures; the battery days as a table beside their chart.
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "performance/performance_window.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/picture_box.h"

namespace tamsel {
namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  auto* b = named(new QPushButton(QString::fromLatin1(caption), parent), name,
                  QString::fromLatin1(caption));
  b->setAutoDefault(false);
  return b;
}

QDateEdit* dateBox(QWidget* parent, const char* name, const char* accessible) {
  auto* box = named(new QDateEdit(parent), name, QString::fromLatin1(accessible));
  box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  box->setCalendarPopup(true);
  return box;
}

QTableWidget* table(QWidget* parent, const char* name, const QString& accessible) {
  auto* t = named(new QTableWidget(parent), name, accessible);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->verticalHeader()->setVisible(false);
  t->setTabKeyNavigation(false);  // Tab leaves the table for the next control
  return t;
}

// A caption for the control beside it, which a screen reader reaches from it.
QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

void Performance::buildForm() {
  setFont(QFont(QStringLiteral("Arial"), 9));

  FromDate = dateBox(this, "FromDate", "From day");
  ToDate = dateBox(this, "ToDate", "To day");
  AnalyseButton = button(this, "AnalyseButton", "Analyse");
  AnalyseButton->setDefault(true);  // Enter in a date box analyses the range
  CSV = button(this, "CSV", ".CSV");
  CSV->setToolTip(QStringLiteral("The bin table and the battery table, each a file in excel"));
  ExitButton = button(this, "ExitButton", "Exit");
  auto* top = new QHBoxLayout;
  top->addWidget(caption(this, QStringLiteral("&From"), FromDate));
  top->addWidget(FromDate);
  top->addWidget(caption(this, QStringLiteral("&To"), ToDate));
  top->addWidget(ToDate);
  top->addWidget(AnalyseButton);
  top->addStretch(1);
  top->addWidget(CSV);
  top->addWidget(ExitButton);

  CurvePlot = named(new PictureBox(this), "CurvePlot",
                    QStringLiteral("Power curve: measured bins and the maker's curve"));
  CurvePlot->setMinimumSize(420, 280);
  CurvePlot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  CurveYAxis = valueLabel(this, "CurveYAxis", QStringLiteral("Power axis"));
  CurveXAxis = valueLabel(this, "CurveXAxis", QStringLiteral("Wind axis"));
  auto* key = new QLabel(QStringLiteral("Blue: measured bins, \u00b1 one standard deviation, "
                                        "hollow when incomplete. Red: the maker's curve."),
                         this);
  key->setWordWrap(true);
  auto* curve = new QVBoxLayout;
  curve->addWidget(CurveYAxis);
  curve->addWidget(CurvePlot, 1);
  curve->addWidget(CurveXAxis);
  curve->addWidget(key);

  BinTable = table(this, "BinTable", QStringLiteral("Power curve bins"));
  AepTable = table(this, "AepTable", QStringLiteral("Annual energy at Rayleigh winds"));
  auto* tables = new QVBoxLayout;
  tables->addWidget(caption(this, QStringLiteral("&Bins"), BinTable));
  tables->addWidget(BinTable, 3);
  tables->addWidget(caption(this, QStringLiteral("&Annual energy"), AepTable));
  tables->addWidget(AepTable, 2);
  auto* upper = new QHBoxLayout;
  upper->addLayout(curve, 1);
  upper->addLayout(tables, 1);

  // The range's single figures, each under what it is.
  struct Figure {
    QLabel** label;
    const char* name;
    const char* caption;
  };
  const Figure figures[] = {
      {&Delivered, "Delivered", "Delivered"},
      {&Promised, "Promised", "Promised"},
      {&Ratio, "Ratio", "Delivered / promised"},
      {&DaysSinceFull, "DaysSinceFull", "Days since full"},
      {&AirDensity, "AirDensity", "Air density"},
      {&Records, "Records", "Records"},
  };
  auto* summary = new QGridLayout;
  int column = 0;
  for (const Figure& f : figures) {
    const QString what = QString::fromLatin1(f.caption);
    *f.label = valueLabel(this, f.name, what);
    (*f.label)->setWordWrap(true);
    (*f.label)->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    auto* heading = new QLabel(what, this);
    QFont bold = font();
    bold.setBold(true);
    heading->setFont(bold);
    summary->addWidget(heading, 0, column);
    summary->addWidget(*f.label, 1, column);
    summary->setColumnStretch(column++, 1);
  }
  Notes = valueLabel(this, "Notes", QStringLiteral("Notes on the analysis"));
  Notes->setWordWrap(true);
  Notes->setStyleSheet(QStringLiteral("color: #a00000;"));

  BatteryTable = table(this, "BatteryTable", QStringLiteral("Battery days"));
  BatteryPlot = named(new PictureBox(this), "BatteryPlot",
                      QStringLiteral("Each day's lowest and highest battery volts"));
  BatteryPlot->setMinimumSize(300, 160);
  BatteryYAxis = valueLabel(this, "BatteryYAxis", QStringLiteral("Volts axis"));
  BatteryXAxis = valueLabel(this, "BatteryXAxis", QStringLiteral("Days axis"));
  auto* batteryChart = new QVBoxLayout;
  batteryChart->addWidget(BatteryYAxis);
  batteryChart->addWidget(BatteryPlot, 1);
  batteryChart->addWidget(BatteryXAxis);
  auto* battery = new QVBoxLayout;
  battery->addWidget(caption(this, QStringLiteral("Batter&y days"), BatteryTable));
  battery->addWidget(BatteryTable, 1);
  auto* lower = new QHBoxLayout;
  lower->addLayout(battery, 3);
  lower->addLayout(batteryChart, 2);

  auto* whole = new QVBoxLayout(this);
  whole->addLayout(top);
  whole->addLayout(upper, 3);
  whole->addLayout(summary);
  whole->addWidget(Notes);
  whole->addLayout(lower, 2);
  resize(1120, 800);
}

}  // namespace tamsel

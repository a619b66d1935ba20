#include "app/orvane_logger_form.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "app/reading_delegate.h"
#include "platform/qt/form_layout.h"
#include "platform/qt/indicator_light.h"
#include "platform/qt/picture_box.h"
#include "session/named_timer.h"

namespace tamsel {

void OrvaneLoggerForm::buildForm(QWidget* window) {
  // The form was drawn for a small sans-serif face; larger ones clip its captions.
  window->setFont(QFont(QStringLiteral("Arial"), 8));
  Label11 = placeControl<QLabel>(window, "Label11", 90, 0, 1305, 555, QStringLiteral("Tamsel"));
  Label11->setFont(QFont(QStringLiteral("Liberation Serif"), 18, QFont::Bold));
  ListView1 = placeControl<QTreeWidget>(window, "ListView1", 120, 600, 4200, 2685, {},
                                        QStringLiteral("Live readings"));
  ListView1->setRootIsDecorated(false);
  ListView1->setSelectionMode(QAbstractItemView::NoSelection);
  ListView1->setFocusPolicy(Qt::NoFocus);
  ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Headers stay hidden even before a configuration has built the list, and
  // the near-invisible first column may really be that narrow.
  ListView1->setHeaderHidden(true);
  ListView1->header()->setMinimumSectionSize(0);
  // Every frame rewrites the values: rows of one height and texts drawn
  // whole spare the view measuring and eliding them each time.
  ListView1->setUniformRowHeights(true);
  ListView1->setItemDelegate(new ReadingDelegate(ListView1));
  BlinkData = placeControl<IndicatorLight>(window, "BlinkData", 4320, 600, 150, 150, {},
                                           QStringLiteral("Data received"));
  buildLoggingPanel(window);
  Setup = placeControl<QPushButton>(window, "Setup", 45, 4170, 1275, 285,
                                    QStringLiteral("Program Setup"));
  CalibrateButton = placeControl<QPushButton>(window, "CalibrateButton", 1350, 4170, 1140, 285,
                                              QStringLiteral("Calibrate"));
  Check1 = placeControl<QCheckBox>(window, "Check1", 2520, 4200, 975, 255, QStringLiteral("COMMs"));
  Exit = placeControl<QPushButton>(window, "Exit", 3540, 4170, 975, 300, QStringLiteral("Exit"));
  buildLowerBand(window);
  GraphPlot = placeControl<PictureBox>(window, "GraphPlot", 4680, 120, 5775, 4335, {},
                                       QStringLiteral("Power versus RPM plot"));
  Timer2 = makeNamedTimer(window, "Timer2", 250);
  buildIndicators();
}

void OrvaneLoggerForm::buildLoggingPanel(QWidget* window) {
  Label14 = placeControl<QLabel>(window, "Label14", 90, 3390, 1230, 285, QStringLiteral("Logging"));
  StartLogging = placeControl<QPushButton>(window, "StartLogging", 1200, 3360, 795, 315,
                                           QStringLiteral("Start"));
  StopLogging = placeControl<QPushButton>(window, "StopLogging", 2040, 3360, 795, 315,
                                          QStringLiteral("Stop"));
  ShowLogs = placeControl<QPushButton>(window, "ShowLogs", 3000, 3360, 1170, 330,
                                       QStringLiteral("Show Logs"));
  BlinkLog = placeControl<IndicatorLight>(window, "BlinkLog", 4305, 3390, 150, 150, {},
                                          QStringLiteral("Record logged"));
  Label9 = placeControl<QLabel>(window, "Label9", 120, 3795, 555, 255, QStringLiteral("Interval"));
  delay = placeControl<QLineEdit>(window, "delay", 840, 3705, 495, 315, QStringLiteral("60"));
  delay->setAccessibleName(QStringLiteral("Interval"));  // its text is the value, not its name
  Label10 =
      placeControl<QLabel>(window, "Label10", 1440, 3795, 675, 255, QStringLiteral("Seconds"));
  GraphDisplay = placeControl<QCheckBox>(window, "GraphDisplay", 2280, 3720, 1935, 315,
                                         QStringLiteral("power v  RPM graph"));
}

void OrvaneLoggerForm::buildLowerBand(QWidget* window) {
  // Screen readers read these lines' text: the frame and the message.
  Label2 = placeValueLabel(window, "Label2", 0, kLowerBandTopTwips, 4575, 495,
                           QStringLiteral("Comms line"));
  Label2->setFont(QFont(QStringLiteral("Arial"), 8));
  ErrorString =
      placeValueLabel(window, "ErrorString", 0, 5160, 4575, 375, QStringLiteral("Message line"));
  for (QLabel* line : {Label2, ErrorString}) {
    // Frames and messages hold "<V>" and the like: never read them as markup.
    line->setTextFormat(Qt::PlainText);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  Label2->setWordWrap(true);
  // It changes with every frame: filling its own background spares
  // repainting the window beneath it each time.
  Label2->setAutoFillBackground(true);
  ErrorString->setAutoFillBackground(true);
  QPalette light = ErrorString->palette();
  light.setColor(QPalette::Window, rgb(255, 255, 225));
  ErrorString->setPalette(light);
}

// The indicators flash with every frame: their colour is a palette change
// only, never a style sheet to parse, and they paint themselves.
void OrvaneLoggerForm::buildIndicators() {
  for (QPushButton* indicator : {BlinkData, BlinkLog}) setBackColour(indicator, buttonFace());
}

}  // namespace tamsel

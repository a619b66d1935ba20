// What the log history window writes: the CSV export of the shown range,
// the day's energy into watthours.txt, and the printed (or PDF) page.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "history/graph.h"
#include "history/history_export.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"

namespace tamsel {

void Graph::CSV_Click() {
  if (!drawn) {
    dialogs.message(this, QStringLiteral("Nothing to export: no records are shown"));
    return;
  }
  const std::string path =
      programFolder + "/excel/" + exportFileName(toBytes(FileName->text()), rangeBoxes(), ".csv");
  // Written whole beside its name and then renamed, so a failed export
  // leaves no half file under the export's name.
  const Status written = replaceFile(path, csvText(*store, firstShown, lastShown));
  if (!written) {
    dialogs.message(this, QStringLiteral("The CSV file could not be written: ") + fromBytes(path) +
                              QStringLiteral("\n") + QString::fromLocal8Bit(written.error));
    return;
  }
  dialogs.message(this, QStringLiteral("Done"));
}

void Graph::CollateDayEnergy() {
  const Status collected =
      collateDayEnergy(logsFolder() + "/watthours.txt", toBytes(FileName->text()), energyWh);
  if (!collected)
    dialogs.message(this, QStringLiteral("watthours.txt could not be written: ") +
                              QString::fromLocal8Bit(collected.error));
}

bool Graph::renderOnto(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale = std::min(static_cast<double>(page.width()) / width(),
                                static_cast<double>(page.height()) / height());
  painter.scale(scale, scale);
  render(&painter);
  return painter.end();
}

bool Graph::printForm() {
  const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
  if (!printerInfo.isNull()) {
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    return renderOnto(printer);
  }
  const QString pdf = fromBytes(programFolder + "/excel/" +
                                exportFileName(toBytes(FileName->text()), rangeBoxes(), ".pdf"));
  if (!dialogs.question(this, QStringLiteral("No printer is installed. Save the page as a PDF "
                                             "file instead?\n") +
                                  pdf))
    return true;
  QPrinter printer(QPrinter::ScreenResolution);  // the page is a picture of the screen
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!renderOnto(printer)) return false;
  dialogs.message(this, QStringLiteral("Saved as ") + pdf);
  return true;
}

void Graph::PrintButton_Click() {
  // Printed on white to save ink.
  setColours(Qt::white, {255, 255, 255});
  DrawTimeChart();
  if (!printForm()) dialogs.message(this, kFormNotPrintedMessage);
  setScreenColours();
  DrawTimeChart();
}

}  // namespace tamsel

// The log history window's cursor: the read-out of the record under the
// mouse, and the drag that zooms the chart to the stretch it covers.
#include <QLabel>
#include <QLineEdit>

#include "history/graph.h"
#include "platform/qt/latin1.h"
#include "platform/qt/picture_box.h"

namespace tamsel {
namespace {

constexpr Rgb kDragMarkColour{255, 0, 0};
// A press and release this many pixels apart or closer is a click: a hand
// on a mouse or a touchpad slips a little, and a slip is no zoom.
constexpr double kClickPixels = 4;

}  // namespace

void Graph::showRecord(const CursorReadout& readout) {
  vt->setText(fromBytes(readout.time));
  vv->setText(fromBytes(readout.volts));
  av->setText(fromBytes(readout.amps));
  wv->setText(fromBytes(readout.watts));
  rv->setText(fromBytes(readout.rpm));
  sv->setText(fromBytes(readout.wind));
}

void Graph::Plot_MouseMove(double X, double) {
  if (recordCount <= 1) return;
  const std::optional<CursorReadout> readout =
      readoutAt(*store, recordCount, zoom.readoutOrigin(firstShown), X, settings.WSUnits);
  if (!readout) return;  // off the loaded records: the labels keep their text
  showRecord(*readout);
  if (zoom.marksDrag()) {
    Plot->display().line(firstShown, 0, X, 0, kDragMarkColour);
    Plot->update();
  }
}

void Graph::Plot_MouseDown(double X, double) {
  if (!zoom.holding()) boxesBeforePress = {Time1h->text(), Time1m->text()};
  if (zoom.press(X, recordCount, firstShown)) {
    Time1h->setText(vt->text().left(2));
    Time1m->setText(vt->text().right(2));
  }
}

void Graph::Plot_MouseUp(double X, double) {
  // The reach in chart units, so a click is the same few pixels however
  // many records are drawn and however wide the window is.
  const double clickReach = Plot->toUser({kClickPixels, 0}).x();
  switch (zoom.release(X, clickReach, recordCount, firstShown, lastShown)) {
    case DragZoom::Release::Zoom:
      Time2h->setText(vt->text().left(2));
      Time2m->setText(vt->text().right(2));
      // The press and release positions, taken as records, set the range
      // boxes; the reload then shows that stretch from its first record.
      DrawTimeChart();
      DisplayButton_Click();
      break;
    case DragZoom::Release::Click:
      // It points at a record and changes no range.
      Time1h->setText(boxesBeforePress.first);
      Time1m->setText(boxesBeforePress.second);
      Plot_MouseMove(X, 0);
      break;
    case DragZoom::Release::Nothing:
      break;
  }
  zoom.finish();
}

}  // namespace tamsel

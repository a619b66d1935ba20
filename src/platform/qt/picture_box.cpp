#include "platform/qt/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVector>
#include <cmath>

namespace tamsel {
namespace {

QColor colourOf(Rgb rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

bool usableScale(double extent) {
  return extent > 0 && std::isfinite(extent);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // moves are reported with no button held, too
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(80, 60);
}

QPointF PictureBox::toUser(QPointF pixel) const {
  const double w = width() > 0 ? width() : 1;
  const double h = height() > 0 ? height() : 1;
  return {pixel.x() * list.scaleWidth() / w, pixel.y() * list.scaleHeight() / h};
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintDisplayList(painter, list, size());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPointF at = toUser(event->position());
  emit mousePressed(at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = toUser(event->position());
  emit mouseMoved(at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = toUser(event->position());
  emit mouseReleased(at.x(), at.y());
}

void paintDisplayList(QPainter& painter, const DisplayList& list, QSize size) {
  painter.fillRect(QRect(QPoint(0, 0), size), colourOf(list.background()));
  painter.setClipRect(QRect(QPoint(0, 0), size));
  // Consecutive lines with the same pen and scale go to the painter in one
  // call: a chart's trace is thousands of lines of one colour.
  QVector<QLineF> run;
  const DrawnLine* runStart = nullptr;
  auto flush = [&] {
    if (run.isEmpty()) return;
    QPen pen(colourOf(runStart->colour));
    pen.setWidth(runStart->penWidth);
    if (runStart->penWidth > 1) pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLines(run);
    run.clear();
  };
  for (const DrawnLine& line : list.lines()) {
    if (!usableScale(line.scaleWidth) || !usableScale(line.scaleHeight)) continue;
    if (runStart == nullptr || !(line.colour == runStart->colour) ||
        line.penWidth != runStart->penWidth || line.scaleWidth != runStart->scaleWidth ||
        line.scaleHeight != runStart->scaleHeight) {
      flush();
      runStart = &line;
    }
    const double sx = size.width() / line.scaleWidth;
    const double sy = size.height() / line.scaleHeight;
    run.append(QLineF(line.x1 * sx, line.y1 * sy, line.x2 * sx, line.y2 * sy));
  }
  flush();
}

}  // namespace tamsel

#include "platform/qt/picture_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
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
  const std::size_t count = list.lines().size();
  const qreal ratio = devicePixelRatioF();
  const bool stale = painted.deviceIndependentSize() != QSizeF(size()) ||
                     painted.devicePixelRatio() != ratio || paintedRevision != list.revision() ||
                     count < paintedLines;
  if (stale) {
    // The image is made anew only for a new size: a plot dropping its oldest
    // marks repaints everything onto the one it has.
    if (painted.deviceIndependentSize() != QSizeF(size()) || painted.devicePixelRatio() != ratio) {
      painted = QImage(size() * ratio, QImage::Format_RGB32);
      painted.setDevicePixelRatio(ratio);
    }
    QPainter onImage(&painted);
    paintDisplayList(onImage, list, size());
  } else if (count > paintedLines) {
    QPainter onImage(&painted);
    paintDisplayList(onImage, list, size(), paintedLines);
  }
  paintedRevision = list.revision();
  paintedLines = count;
  // The painter is clipped to what needs repainting: only that much is copied.
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), painted);
}

QRect PictureBox::pixelBounds(const DrawnLine& line) const {
  if (!usableScale(line.scaleWidth) || !usableScale(line.scaleHeight)) return {};
  const double sx = width() / line.scaleWidth, sy = height() / line.scaleHeight;
  const QRectF span =
      QRectF(QPointF(line.x1 * sx, line.y1 * sy), QPointF(line.x2 * sx, line.y2 * sy)).normalized();
  const int margin = line.penWidth + 2;
  return span.toAlignedRect().adjusted(-margin, -margin, margin, margin) & rect();
}

void PictureBox::showNewLines() {
  const std::vector<DrawnLine>& lines = list.lines();
  if (paintedRevision != list.revision() || lines.size() < paintedLines) return update();
  // Marks scattered over the plot are repainted as the small squares they
  // are: the rectangle around them all would copy most of the plot to the
  // display at every refresh.
  QRegion dirty;
  for (std::size_t i = paintedLines; i < lines.size(); ++i) dirty += pixelBounds(lines[i]);
  if (!dirty.isEmpty()) update(dirty);
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

void paintDisplayList(QPainter& painter, const DisplayList& list, QSize size,
                      std::size_t firstLine) {
  if (firstLine == 0) painter.fillRect(QRect(QPoint(0, 0), size), colourOf(list.background()));
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
  const std::vector<DrawnLine>& lines = list.lines();
  for (std::size_t i = firstLine; i < lines.size(); ++i) {
    const DrawnLine& line = lines[i];
    if (!usableScale(line.scaleWidth) || !usableScale(line.scaleHeight)) continue;
    if (runStart == nullptr || !(line.colour == runStart->colour) ||
        line.penWidth != runStart->penWidth || line.scaleWidth != runStart->scaleWidth ||
        line.scaleHeight != runStart->scaleHeight) {
      flush();
      runStart = &line;
    }
    const double sx = size.width() / line.scaleWidth;
    const double sy = size.height() / line.scaleHeight;
    const QLineF scaled(line.x1 * sx, line.y1 * sy, line.x2 * sx, line.y2 * sy);
    // A thick stroke shorter than its own width (a plot's mark) is filled
    // as the small square it looks like, at once: stroking a hundred
    // thousand of them would take far longer than a frame, and keeping them
    // for later would take a block of megabytes the heap then keeps. Its
    // run's lines are of its colour, so coming after it covers nothing else.
    if (line.penWidth > 1 && scaled.length() < line.penWidth) {
      const double half = line.penWidth / 2.0;
      painter.fillRect(
          QRectF(scaled.p1(), scaled.p2()).normalized().adjusted(-half, -half, half, half).toRect(),
          colourOf(line.colour));
    } else {
      run.append(scaled);
    }
  }
  flush();
}

}  // namespace tamsel

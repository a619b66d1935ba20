#pragma once
// A drawing surface in user units: it keeps a display list (scale, pen width,
// background and the lines drawn since the last clear) and paints it scaled
// to whatever size it has, so a chart survives being covered, uncovered and
// resized. Mouse presses, moves and releases are reported in user units of
// the current scale.
#include <QImage>
#include <QWidget>
#include <cstddef>
#include <cstdint>

#include "platform/display_list.h"

namespace tamsel {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // Draw into this, then call update() (or let the next paint show it).
  DisplayList& display() { return list; }
  const DisplayList& display() const { return list; }

  // The user-unit position of a pixel position of this widget.
  QPointF toUser(QPointF pixel) const;

  // Repaints only where the lines added since the last paint lie: a plot
  // that grows by one line at a time costs the same per line however many
  // it holds. (update() repaints the whole surface.)
  void showNewLines();

 signals:
  void mousePressed(double x, double y);
  void mouseMoved(double x, double y);
  void mouseReleased(double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect pixelBounds(const DrawnLine& line) const;

  DisplayList list;
  // What has been painted so far, kept so that new lines are painted onto it
  // rather than everything again.
  QImage painted;
  std::uint64_t paintedRevision = 0;
  std::size_t paintedLines = 0;
};

// Paints `list` onto `painter` over a surface of `size` pixels: the
// background, then the lines from `firstLine` on (only those, without the
// background, when `firstLine` is not 0). Lines whose scale is not a positive
// finite size are left out: nothing is divided by 0.
void paintDisplayList(QPainter& painter, const DisplayList& list, QSize size,
                      std::size_t firstLine = 0);

}  // namespace tamsel

#pragma once
// A drawing surface in user units: it keeps a display list (scale, pen width,
// background and the lines drawn since the last clear) and paints it scaled
// to whatever size it has, so a chart survives being covered, uncovered and
// resized. Mouse presses, moves and releases are reported in user units of
// the current scale.
#include <QWidget>

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
  DisplayList list;
};

// Paints `list` onto `painter` over a surface of `size` pixels. Lines whose
// scale is not a positive finite size are left out: nothing is divided by 0.
void paintDisplayList(QPainter& painter, const DisplayList& list, QSize size);

}  // namespace tamsel

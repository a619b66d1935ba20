#include "platform/qt/indicator_light.h"

#include <QPainter>

namespace tamsel {

IndicatorLight::IndicatorLight(QWidget* parent) : QPushButton(parent) {
  setFocusPolicy(Qt::NoFocus);
}

// The colour, framed light above and left and dark below and right, as a
// raised button is: drawn anew each time, nothing kept.
void IndicatorLight::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor colour = palette().color(QPalette::Button);
  const QRect area = rect();
  painter.fillRect(area, colour);
  painter.setPen(colour.lighter(150));
  painter.drawLine(area.topLeft(), area.topRight());
  painter.drawLine(area.topLeft(), area.bottomLeft());
  painter.setPen(colour.darker(170));
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.topRight(), area.bottomRight());
}

}  // namespace tamsel

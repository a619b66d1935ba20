#pragma once
// A small light that flashes (a button by its kind, never pressed): it shows
// the button colour of its palette, so setting a colour is a palette change
// as for any control. It paints itself rather than through the style: styles
// keep each button's picture in a cache shared by the whole program, under a
// name that changes with every new palette, so a light flashing several
// times a second would leave a new picture there each time, megabytes an
// hour until the cache's limit.
#include <QPushButton>

namespace tamsel {

class IndicatorLight : public QPushButton {
 public:
  explicit IndicatorLight(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tamsel

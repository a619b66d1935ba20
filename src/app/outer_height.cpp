#include "app/outer_height.h"

#include <QWidget>
#include <algorithm>

#include "platform/twips.h"

namespace tamsel {

void OuterHeight::set(int twips, LowerBand band) {
  outerTwips = twips;
  lowerBand = band;
  frameHeightApplied = window.frameGeometry().height() - window.geometry().height();
  int client = twipsToPixels(twips, window.logicalDpiY()) - frameHeightApplied;
  if (band == LowerBand::Hidden) {
    client = std::min(client, twipsToPixels(lowerBandTopTwips, window.logicalDpiY()));
  }
  window.resize(window.width(), client);
}

void OuterHeight::frameMayHaveChanged() {
  if (outerTwips > 0 &&
      window.frameGeometry().height() - window.geometry().height() != frameHeightApplied) {
    set(outerTwips, lowerBand);
  }
}

}  // namespace tamsel

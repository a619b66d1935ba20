#pragma once
// The main window's height, given as the outer height the form was drawn
// for under a thick frame. Under a thinner one a height meant to hide the
// lower band would let it peek out, so then the client area ends where the
// band begins. The window manager adds its frame some time after the window
// is shown, so the height is set again once the frame is known.
class QWidget;

namespace tamsel {

class OuterHeight {
 public:
  enum class LowerBand { Shown, Hidden };

  OuterHeight(QWidget& window, int lowerBandTopTwips)
      : window(window), lowerBandTopTwips(lowerBandTopTwips) {}

  void set(int twips, LowerBand band);
  // After the window moved or was shown: set again if its frame changed.
  void frameMayHaveChanged();

 private:
  QWidget& window;
  const int lowerBandTopTwips;
  int outerTwips = 0;
  LowerBand lowerBand = LowerBand::Shown;
  int frameHeightApplied = 0;  // the frame's height when the outer height was last set
};

}  // namespace tamsel

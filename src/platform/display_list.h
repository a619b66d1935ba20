#pragma once
// What a drawing surface shows, as data: the lines drawn since it was last
// cleared, each kept with the user scale and pen width in force when it was
// drawn. Charts build one of these; the surface widget paints it, and tests
// read the lines instead of pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamsel {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  constexpr bool operator==(const Rgb&) const = default;
};

// Coordinates are user units: origin top left, y growing downward. A line
// keeps the scale it was drawn in, so changing the scale later (one scale
// per chart trace) does not move it.
struct DrawnLine {
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
  Rgb colour;
  int penWidth = 1;  // pixels
  double scaleWidth = 1;
  double scaleHeight = 1;
};

class DisplayList {
 public:
  // Removes every line; scale, pen width and background stay.
  void clear() {
    drawn.clear();
    ++changes;
  }
  // Removes `count` lines from `first` on (a plot dropping its oldest marks).
  void dropLines(std::size_t first, std::size_t count) {
    drawn.erase(drawn.begin() + static_cast<std::ptrdiff_t>(first),
                drawn.begin() + static_cast<std::ptrdiff_t>(first + count));
    ++changes;
  }
  // Changes whenever something already drawn changes (a clear, dropped lines,
  // a new background), but not when lines are only added: a surface may then
  // paint just the new ones.
  std::uint64_t revision() const { return changes; }

  void setScale(double width, double height) {
    scaleW = width;
    scaleH = height;
  }
  void setScaleWidth(double width) { scaleW = width; }
  void setScaleHeight(double height) { scaleH = height; }
  double scaleWidth() const { return scaleW; }
  double scaleHeight() const { return scaleH; }

  void setPenWidth(int pixels) { pen = pixels; }
  int penWidth() const { return pen; }

  void setBackground(Rgb colour) {
    back = colour;
    ++changes;
  }
  Rgb background() const { return back; }

  void line(double x1, double y1, double x2, double y2, Rgb colour) {
    drawn.push_back({x1, y1, x2, y2, colour, pen, scaleW, scaleH});
  }
  void reserve(std::size_t lines) { drawn.reserve(lines); }
  // Gives back the memory a large list held (after clear()).
  void shrinkToFit() { drawn.shrink_to_fit(); }
  const std::vector<DrawnLine>& lines() const { return drawn; }

 private:
  std::vector<DrawnLine> drawn;
  double scaleW = 1;
  double scaleH = 1;
  int pen = 1;
  Rgb back{64, 64, 64};
  std::uint64_t changes = 0;
};

}  // namespace tamsel

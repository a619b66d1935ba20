#pragma once
// Windows are laid out in twips, as their designers measured them.
#include <QColor>
#include <QWidget>

namespace tamsel {

// Places `widget` at left, top with width, height, all in twips.
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// Sets a window's outer (frame) size in twips; where the platform draws no
// frame the client area takes the whole size.
void setOuterSizeTwips(QWidget* window, int width, int height);
// The same for the height alone, keeping the window's width, and the width alone.
void setOuterHeightTwips(QWidget* window, int height);
void setOuterWidthTwips(QWidget* window, int width);

// A colour given as red, green and blue components.
inline QColor rgb(int red, int green, int blue) {
  return QColor(red, green, blue);
}

// The back colour of a button (a palette change, made only when the colour
// changes; styles that draw buttons from the palette show it), and the
// system's button-face colour.
void setBackColour(QWidget* button, const QColor& colour);
QColor backColour(const QWidget* button);
QColor buttonFace();

// The text colour of a label.
void setTextColour(QWidget* label, const QColor& colour);
QColor textColour(const QWidget* label);

}  // namespace tamsel

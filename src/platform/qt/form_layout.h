#pragma once
// Windows are laid out in twips, as their designers measured them.
#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace tamsel {

// Places `widget` at left, top with width, height, all in twips.
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// Sets a window's outer (frame) width in twips, keeping its height; where
// the platform draws no frame the client area takes the whole width.
void setOuterWidthTwips(QWidget* window, int width);

// Names a control as every form does: its designer name as object name (so
// tests find it) and its caption, or a short description where it has none,
// as accessible name (so screen readers read it).
template <class Widget>
Widget* named(Widget* widget, const char* name, const QString& accessible) {
  if (name) widget->setObjectName(QString::fromLatin1(name));
  widget->setAccessibleName(accessible);
  return widget;
}

// A new control of `parent`, named as above, showing `caption` where it has
// a text, placed at left, top with width, height in twips.
template <class Widget>
Widget* placeControl(QWidget* parent, const char* name, int left, int top, int width, int height,
                     const QString& caption = {}, const QString& description = {}) {
  auto* widget = new Widget(parent);
  if constexpr (requires { widget->setText(caption); }) widget->setText(caption);
  named(widget, name, caption.isEmpty() ? description : caption);
  placeTwips(widget, left, top, width, height);
  return widget;
}

// A label that shows a value (a reading, a minimum, a result), for a form
// that places its controls with layouts. Its accessible name is left to its
// text, so a screen reader reads the value; `description` says what the
// value is.
QLabel* valueLabel(QWidget* parent, const char* name, const QString& description);

// The same, placed as above. Its accessible name is left to its text, so a screen reader reads the
// value; `description` says what the value is.
QLabel* placeValueLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                        const QString& description);

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

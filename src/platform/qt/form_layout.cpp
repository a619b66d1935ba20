#include "platform/qt/form_layout.h"

#include <QApplication>
#include <QPalette>

#include "platform/twips.h"

namespace tamsel {

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
  const double dpiX = widget->logicalDpiX();
  const double dpiY = widget->logicalDpiY();
  widget->setGeometry(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY),
                      twipsToPixels(width, dpiX), twipsToPixels(height, dpiY));
}

void setOuterWidthTwips(QWidget* window, int width) {
  const int frameWidth = window->frameGeometry().width() - window->geometry().width();
  window->resize(twipsToPixels(width, window->logicalDpiX()) - frameWidth, window->height());
}

void setBackColour(QWidget* button, const QColor& colour) {
  if (button->autoFillBackground() && backColour(button) == colour) return;
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, colour);
  palette.setColor(QPalette::Window, colour);
  button->setPalette(palette);
  button->setAutoFillBackground(true);
}

QColor backColour(const QWidget* button) {
  return button->palette().color(QPalette::Button);
}

QColor buttonFace() {
  return QApplication::palette().color(QPalette::Button);
}

void setTextColour(QWidget* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

QColor textColour(const QWidget* label) {
  return label->palette().color(QPalette::WindowText);
}

QLabel* valueLabel(QWidget* parent, const char* name, const QString& description) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAccessibleDescription(description);
  return label;
}

QLabel* placeValueLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                        const QString& description) {
  QLabel* label = valueLabel(parent, name, description);
  placeTwips(label, left, top, width, height);
  return label;
}

}  // namespace tamsel

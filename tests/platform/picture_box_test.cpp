#include "platform/qt/picture_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace tamsel {
namespace {

TEST(PictureBox, PaintsEachLineInTheScaleItWasDrawnIn) {
  DisplayList list;
  list.setBackground({64, 64, 64});
  list.setScale(10, 10);
  list.line(5, 0, 5, 10, {255, 0, 0});
  list.setScale(0, 10);  // no size: left out, never divided by
  list.line(1, 1, 2, 2, {0, 0, 255});
  list.setScale(100, 2);  // a later scale moves nothing drawn before it
  list.line(0, 1, 100, 1, {0, 255, 0});
  QImage image(100, 100, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    paintDisplayList(painter, list, image.size());
  }
  EXPECT_EQ(image.pixelColor(50, 20), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(20, 50), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(20, 20), QColor(64, 64, 64));
  EXPECT_EQ(image.pixelColor(15, 15), QColor(64, 64, 64));
}

// New lines are painted onto what is already there; a clear or a new
// background repaints the whole surface; a mark is the square it looks like.
TEST(PictureBox, KeepsWhatItPaintedAndRepaintsWhenWhatItHoldsChanged) {
  PictureBox box;
  box.resize(100, 100);
  DisplayList& list = box.display();
  list.setScale(100, 100);
  list.line(10, 0, 10, 100, {255, 0, 0});
  EXPECT_EQ(box.grab().toImage().pixelColor(10, 50), QColor(255, 0, 0));
  list.setPenWidth(4);
  list.line(50, 50, 49, 49, {0, 255, 0});
  box.showNewLines();
  QImage shown = box.grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 50), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(51, 51), QColor(0, 255, 0));
  EXPECT_EQ(shown.pixelColor(56, 56), QColor(64, 64, 64));
  list.clear();
  list.setBackground({255, 255, 255});
  shown = box.grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 50), QColor(255, 255, 255));
  EXPECT_EQ(shown.pixelColor(51, 51), QColor(255, 255, 255));
}

TEST(PictureBox, ReportsTheMouseInUserUnits) {
  PictureBox box;
  box.resize(840, 525);
  box.display().setScale(420, 1050);
  std::vector<std::pair<double, double>> seen;
  auto record = [&](double x, double y) { seen.emplace_back(x, y); };
  QObject::connect(&box, &PictureBox::mousePressed, record);
  QObject::connect(&box, &PictureBox::mouseMoved, record);
  QObject::connect(&box, &PictureBox::mouseReleased, record);
  const QPointF at(420, 262.5);
  for (QEvent::Type type :
       {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, box.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&box, &event);
  }
  ASSERT_EQ(seen.size(), 3u);
  for (const auto& [x, y] : seen) {
    EXPECT_DOUBLE_EQ(x, 210);
    EXPECT_DOUBLE_EQ(y, 525);
  }
}

}  // namespace
}  // namespace tamsel

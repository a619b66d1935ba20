#pragma once
// Draws the live list's cells. The list is repainted for every frame, and the
// style's own item painting lays out and shapes each text anew each time; this
// keeps each text's layout and draws it as it is.
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace tamsel {

class ReadingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  // Values repeat (a steady voltage, the same RPM), and names never change.
  // Bounded, so a long run of changing values cannot grow it.
  static constexpr int kMaxTexts = 512;
  mutable QHash<QString, QStaticText> texts;
  mutable QFont preparedFont;  // the font the texts were laid out in
};

}  // namespace tamsel

#include "app/reading_delegate.h"

#include <QPainter>

namespace tamsel {

void ReadingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return;
  if (option.font != preparedFont) {
    texts.clear();
    preparedFont = option.font;
  }
  auto found = texts.find(text);
  if (found == texts.end()) {
    if (texts.size() >= kMaxTexts) texts.clear();
    found = texts.insert(text, QStaticText(text));
    found->setTextFormat(Qt::PlainText);
    found->prepare(QTransform(), option.font);
  }
  const int top = option.rect.top() + (option.rect.height() - option.fontMetrics.height()) / 2;
  painter->save();
  painter->setClipRect(option.rect);
  painter->setFont(option.font);
  painter->setPen(option.palette.color(QPalette::Text));
  painter->drawStaticText(option.rect.left() + 3, top, *found);
  painter->restore();
}

}  // namespace tamsel

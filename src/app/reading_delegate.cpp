#include "app/reading_delegate.h"

#include <QPainter>

namespace tamsel {

void ReadingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  // A row an alarm is about has its own colours.
  if (const QVariant back = index.data(Qt::BackgroundRole); back.isValid()) {
    painter->fillRect(option.rect, back.value<QColor>());
  }
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
  const QVariant fore = index.data(Qt::ForegroundRole);
  painter->setClipRect(option.rect);
  painter->setFont(option.font);
  painter->setPen(fore.isValid() ? fore.value<QColor>() : option.palette.color(QPalette::Text));
  painter->drawStaticText(option.rect.left() + 3, top, *found);
  painter->restore();
}

}  // namespace tamsel

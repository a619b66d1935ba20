#include "app/live_list_view.h"

#include <QTreeWidget>

#include "platform/qt/form_layout.h"
#include "platform/qt/latin1.h"
#include "platform/twips.h"

namespace tamsel {
namespace {

const QColor kRed = rgb(255, 0, 0);
const QColor kWhite = rgb(255, 255, 255);

}  // namespace

void LiveListView::rebuild(const ListOptions& options, int dpiX) {
  list.clear();
  list.setHeaderHidden(true);
  list.setFont(QFont(QString::fromLatin1(kListFontName), listFontPoints(options)));
  list.setColumnCount(3);
  const int widths[] = {1, 1500, 2600};
  for (int column = 0; column < 3; ++column) {
    list.setColumnWidth(column, twipsToPixels(widths[column], dpiX));
  }
  showRows(initialRows(options));
}

void LiveListView::showRows(const std::vector<ListRow>& rows) {
  if (list.topLevelItemCount() != static_cast<int>(rows.size())) {
    list.clear();
    for (size_t i = 0; i < rows.size(); ++i) new QTreeWidgetItem(&list);
    showAlarms();
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    QTreeWidgetItem* item = list.topLevelItem(static_cast<int>(i));
    const QString value = fromBytes(rows[i].value), name = fromBytes(rows[i].name);
    if (item->text(1) != value) item->setText(1, value);
    if (item->text(2) != name) item->setText(2, name);
  }
}

void LiveListView::showAlarms() {
  const std::vector<std::string> tips = alarmTips();
  for (int i = 0; i < list.topLevelItemCount() && i < static_cast<int>(tips.size()); ++i) {
    QTreeWidgetItem* item = list.topLevelItem(i);
    const QString tip = fromBytes(tips[static_cast<size_t>(i)]);
    if (item->toolTip(1) == tip && item->data(1, Qt::BackgroundRole).isValid() == !tip.isEmpty()) {
      continue;
    }
    for (int column = 0; column < 3; ++column) {
      item->setToolTip(column, tip);
      item->setData(column, Qt::BackgroundRole, tip.isEmpty() ? QVariant() : QVariant(kRed));
      item->setData(column, Qt::ForegroundRole, tip.isEmpty() ? QVariant() : QVariant(kWhite));
    }
  }
}

void LiveListView::showWattHours(const std::string& text) {
  if (QTreeWidgetItem* row = list.topLevelItem(kWattHoursRow)) row->setText(1, fromBytes(text));
}

}  // namespace tamsel

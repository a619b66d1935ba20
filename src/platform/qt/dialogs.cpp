#include "platform/qt/dialogs.h"

#include <QMessageBox>

namespace tamsel {

void QtDialogs::message(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, owner);
  box.exec();
}

void QtDialogs::showModal(QDialog& window) {
  window.exec();
}

}  // namespace tamsel

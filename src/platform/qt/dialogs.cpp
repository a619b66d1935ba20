#include "platform/qt/dialogs.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace tamsel {

void QtDialogs::message(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, owner);
  box.exec();
}

bool QtDialogs::question(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Yes | QMessageBox::No,
                  owner);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtDialogs::showModal(QDialog& window) {
  window.exec();
}

bool QtDialogs::openInBrowser(const QString& url) {
  return QDesktopServices::openUrl(QUrl(url));
}

}  // namespace tamsel

#pragma once
#include <QStringList>
#include <functional>
#include <stdexcept>

#include "platform/qt/dialogs.h"

namespace tamsel::test {

// Records message boxes and answers modal windows with a test's own steps
// (clicking "Save Settings", say) instead of waiting for a user.
class FakeDialogs : public Dialogs {
 public:
  void message(QWidget*, const QString& text) override { messages << text; }
  bool question(QWidget*, const QString& text) override {
    questions << text;
    return answer;
  }
  void showModal(QDialog& window) override {
    // A window that keeps coming back is a loop the test did not end.
    if (++modalCount > kMaxModals) throw std::runtime_error("modal windows keep coming back");
    if (onModal) onModal(window);
  }

  bool openInBrowser(const QString& url) override {
    openedUrls << url;
    return true;
  }

  static constexpr int kMaxModals = 20;

  QStringList messages;
  QStringList questions;
  QStringList openedUrls;
  bool answer = false;  // what every question is answered
  int modalCount = 0;
  std::function<void(QDialog&)> onModal;
};

}  // namespace tamsel::test

#pragma once
#include <QStringList>
#include <functional>

#include "platform/dialogs.h"

namespace tamsel::test {

// Records message boxes and answers modal windows with a test's own steps
// (clicking "Save Settings", say) instead of waiting for a user.
class FakeDialogs : public Dialogs {
 public:
  void message(QWidget*, const QString& text) override { messages << text; }
  void showModal(QDialog& window) override {
    ++modalCount;
    if (onModal) onModal(window);
  }

  QStringList messages;
  int modalCount = 0;
  std::function<void(QDialog&)> onModal;
};

}  // namespace tamsel::test

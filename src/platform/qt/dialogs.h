#pragma once
// Everything that waits on the user goes through here, so a test can answer
// message boxes and modal windows without blocking.
#include <QDialog>
#include <QString>
#include <QWidget>

namespace tamsel {

inline const QString kProgramTitle = QStringLiteral("Tamsel");

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box with an OK button and the program's title.
  virtual void message(QWidget* owner, const QString& text) = 0;
  // A modal question with Yes and No buttons; true for Yes.
  virtual bool question(QWidget* owner, const QString& text) = 0;
  // Shows `window` modally; returns when it has closed.
  virtual void showModal(QDialog& window) = 0;
  // Opens `url` in the user's browser; false when there is none to open it.
  virtual bool openInBrowser(const QString& url) = 0;
};

class QtDialogs final : public Dialogs {
 public:
  void message(QWidget* owner, const QString& text) override;
  bool question(QWidget* owner, const QString& text) override;
  void showModal(QDialog& window) override;
  bool openInBrowser(const QString& url) override;
};

}  // namespace tamsel

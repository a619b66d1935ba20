#pragma once
// Tests reach a window's controls as a user's tools do: by their names.
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace tamsel::test {

// The child of `window` whose object name is `name`; throws when there is
// none, so a renamed control fails the test that needs it.
template <class Control = QWidget>
Control* control(const QObject& window, const char* name) {
  Control* found = window.findChild<Control*>(QString::fromLatin1(name));
  if (!found) throw std::runtime_error(std::string("no control named ") + name);
  return found;
}

}  // namespace tamsel::test
